// The quiz's report to a learning platform, where the page finds one: the
// SCORM 1.2 runtime the platform's player puts on a window around the page
// (an API object on a parent or opener, a few levels up). Elsewhere (a USB
// stick, a web site, a frame of another page) nothing is asked and nothing
// said. The report only listens to the verdicts the form announces: the
// distinct pairs found, as the score and in the suspend data so that a
// learner who comes back goes on, and "completed" once all were found. A
// runtime that fails, throws or goes away ends the report, never the quiz.
function zorelminaReportToPlatform(rightVerdict, pairs) {
  function apiOn(start) {
    for (var w = start, level = 0; w && level < 8; w = w.parent, ++level) {
      try {
        if (w.API && typeof w.API.LMSInitialize == 'function') return w.API;
      } catch (refused) { // another site's window
        return null;
      }
      if (w.parent === w) break;
    }
    return null;
  }
  var api = apiOn(window.parent !== window ? window.parent : null) || apiOn(window.opener);
  if (!api) return;
  var live = true;
  function call(name, element, value) {
    if (!live) return '';
    try {
      return String(api[name](element, value));
    } catch (gone) {
      live = false;
      return '';
    }
  }
  if (call('LMSInitialize', '') !== 'true') return;

  var found = [];
  if (call('LMSGetValue', 'cmi.core.entry') === 'resume') {
    try {
      var kept = JSON.parse(call('LMSGetValue', 'cmi.suspend_data'));
      if (kept && kept.zorelmina === 1 && Array.isArray(kept.found))
        found = kept.found.filter(function (f) { return typeof f == 'string'; }).slice(0, pairs);
    } catch (notOurs) { // a fresh start
    }
  }
  function report() {
    call('LMSSetValue', 'cmi.core.score.min', '0');
    call('LMSSetValue', 'cmi.core.score.max', String(pairs));
    call('LMSSetValue', 'cmi.core.score.raw', String(found.length));
    call('LMSSetValue', 'cmi.core.lesson_status', found.length >= pairs ? 'completed' : 'incomplete');
    call('LMSSetValue', 'cmi.suspend_data', JSON.stringify({zorelmina: 1, found: found}));
    call('LMSCommit', '');
  }
  report();
  document.addEventListener('zorelmina-announce', function (e) {
    var said = String(e.detail);
    if (said.indexOf(rightVerdict + ' ') !== 0) return;
    var pair = said.slice(rightVerdict.length + 1);
    if (found.indexOf(pair) >= 0) return;
    found.push(pair);
    report();
  });
  window.addEventListener('pagehide', function () {
    call('LMSFinish', '');
    live = false;
  });
}
