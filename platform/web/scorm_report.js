// The quiz's record in a learning platform, where the page finds one: the
// SCORM runtime a platform's player puts on a window around the page (the
// 2004 one, API_1484_11, or the 1.2 one, API, on a parent or the opener, a
// few levels up). Elsewhere (a USB stick, a web site, a frame of another
// page) nothing is asked and nothing said.
//
// A platform hands the next sitting back what the last one committed
// (status, score, suspend data), but says "resume" only after an exit of
// "suspend", so the record is read whatever the entry says, and it only
// grows: the pairs found (by index, in the suspend data), the score (the
// share found, out of 100, which is what gradebooks show) and, once
// reached, "completed". In review or browse mode, or without credit,
// nothing is written, nor where the runtime will not start. A call
// answering "false" is asked why and passed over; a runtime that throws or
// goes away ends the report, never the quiz.
//
// Function declarations only: the program may start the report before the
// rest of this script has run.
function zorelminaScormStart(pairs) {
  var editions = [
    {api: 'API_1484_11', initialize: 'Initialize', get: 'GetValue', set: 'SetValue', commit: 'Commit',
     finish: 'Terminate', lastError: 'GetLastError', status: 'cmi.completion_status', score: 'cmi.score.',
     scaled: 'cmi.score.scaled', success: 'cmi.success_status', exit: 'cmi.exit', time: 'cmi.session_time', mode: 'cmi.mode',
     credit: 'cmi.credit', suspendData: 'cmi.suspend_data', duration: isoDuration},
    {api: 'API', initialize: 'LMSInitialize', get: 'LMSGetValue', set: 'LMSSetValue', commit: 'LMSCommit',
     finish: 'LMSFinish', lastError: 'LMSGetLastError', status: 'cmi.core.lesson_status',
     score: 'cmi.core.score.', exit: 'cmi.core.exit', time: 'cmi.core.session_time',
     mode: 'cmi.core.lesson_mode', credit: 'cmi.core.credit', suspendData: 'cmi.suspend_data',
     duration: timespan}
  ];
  var kept = /^zorelmina\/2:((?:\d+,)*\d+)?$/;

  // HHHH:MM:SS.SS, and PT#H#M#S, of a time in milliseconds.
  function parts(ms) {
    var centis = Math.round(ms / 10);
    return {h: Math.floor(centis / 360000), m: Math.floor(centis / 6000) % 60, s: (centis % 6000) / 100};
  }
  function timespan(ms) {
    var p = parts(ms), s = p.s.toFixed(2);
    return (p.h < 10 ? '0' : '') + Math.min(p.h, 9999) + ':' + (p.m < 10 ? '0' : '') + p.m + ':'
      + (p.s < 10 ? '0' : '') + s;
  }
  function isoDuration(ms) {
    var p = parts(ms);
    return 'PT' + p.h + 'H' + p.m + 'M' + p.s + 'S';
  }

  // The nearest window's runtime, a 2004 one before a 1.2 one beside it.
  function runtimeOn(start) {
    for (var w = start, level = 0; w && level < 8; w = w.parent, ++level) {
      try {
        for (var i = 0; i < editions.length; ++i) {
          var api = w[editions[i].api];
          if (api && typeof api[editions[i].initialize] == 'function') return {api: api, edition: editions[i]};
        }
      } catch (refused) { // another site's window
        return null;
      }
      if (w.parent === w) break;
    }
    return null;
  }

  var runtime = runtimeOn(window.parent !== window ? window.parent : null) || runtimeOn(window.opener);
  if (!runtime) return;
  var api = runtime.api, edition = runtime.edition, live = true;
  // Each call with its own arguments only: a runtime may refuse any more.
  function call(name) {
    if (!live) return '';
    try {
      var answer = String(api[name].apply(api, Array.prototype.slice.call(arguments, 1)));
      if (answer === 'false') api[edition.lastError]();
      return answer;
    } catch (gone) {
      live = false;
      return '';
    }
  }
  function get(element) { return call(edition.get, element); }
  function set(element, value) { call(edition.set, element, value); }

  // A runtime that would not start reads nothing back, yet may still take
  // what is written: nothing is, so the record stays as it was.
  if (call(edition.initialize, '') !== 'true') return;
  var started = Date.now();
  var mode = get(edition.mode), credit = get(edition.credit);
  var writes = mode !== 'review' && mode !== 'browse' && credit !== 'no-credit';
  var status = get(edition.status);
  var done = status === 'completed' || status === 'passed';
  var recordedScore = Math.min(Math.max(parseFloat(get(edition.score + 'raw')) || 0, 0), 100);
  // The quiz's first record counted pairs out of their number.
  if (get(edition.score + 'max') === String(pairs)) recordedScore = Math.min(recordedScore, pairs) * 100 / pairs;
  recordedScore = Math.round(recordedScore * 100) / 100;
  var pairsFound = [];
  var suspended = kept.exec(get(edition.suspendData));
  if (suspended && suspended[1]) {
    suspended[1].split(',').forEach(function (text) {
      var pair = Number(text);
      if (pair < pairs && pairsFound.indexOf(pair) < 0) pairsFound.push(pair);
    });
  }

  function report() {
    if (!writes) return;
    var score = Math.max(recordedScore, Math.round(pairsFound.length * 10000 / pairs) / 100);
    var all = pairsFound.length >= pairs;
    set(edition.score + 'min', '0');
    set(edition.score + 'max', '100');
    set(edition.score + 'raw', String(score));
    if (edition.scaled) set(edition.scaled, String(Math.round(score * 100) / 10000));
    // A finished record keeps its own word ("passed" too).
    if (!done) set(edition.status, all ? 'completed' : 'incomplete');
    if (!done && all && edition.success) set(edition.success, 'passed');
    done = done || all;
    set(edition.suspendData, 'zorelmina/2:' + pairsFound.join(','));
    set(edition.exit, 'suspend');
    call(edition.commit, '');
  }
  report();

  // Finished once, when the page goes, with the sitting's time: set only
  // then, as some platforms add every session time they are sent to the
  // total.
  function finish() {
    if (!live) return;
    if (writes) set(edition.time, edition.duration(Date.now() - started));
    call(edition.finish, '');
    live = false;
  }
  window.addEventListener('onpagehide' in window ? 'pagehide' : 'unload', finish);

  zorelminaScormFound.report = function (pair) {
    if (pair < 0 || pair >= pairs || pairsFound.indexOf(pair) >= 0) return;
    pairsFound.push(pair);
    report();
  };
}

function zorelminaScormFound(pair) {
  if (zorelminaScormFound.report) zorelminaScormFound.report(pair);
}
