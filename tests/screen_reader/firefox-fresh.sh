#!/bin/sh
# Firefox ESR in a fresh profile under $HOME (orca_hear.py's private one),
# opening only the pages it is given: no privacy notice, welcome page or
# preloaded new tab, which load in tabs of their own and are heard, at
# random moments, during start-up.
set -e
profile=$(mktemp -d "$HOME/firefox.XXXXXX")
cat > "$profile/user.js" <<'PREFS'
user_pref("datareporting.policy.firstRunURL", "");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.newtab.preload", false);
PREFS
exec firefox-esr --profile "$profile" --no-remote "$@"
