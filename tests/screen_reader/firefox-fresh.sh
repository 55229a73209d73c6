#!/bin/sh
# Firefox ESR in a fresh profile under $HOME (orca_hear.py's private one),
# opening only the pages it is given: no privacy notice, welcome page or
# preloaded new tab, which load in tabs of their own and are heard, at
# random moments, during start-up; no offer to translate the page nor
# warning about a sandbox that a container cannot give, which take the
# focus.
set -e
profile=$(mktemp -d "$HOME/firefox.XXXXXX")
cat > "$profile/user.js" <<'PREFS'
user_pref("datareporting.policy.firstRunURL", "");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.newtab.preload", false);
user_pref("browser.translations.enable", false);
user_pref("browser.translations.automaticallyPopup", false);
user_pref("security.sandbox.warn_unprivileged_namespaces", false);
PREFS
exec firefox-esr --profile "$profile" --no-remote "$@"
