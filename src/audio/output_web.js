// output_web.js - the Web Audio side of output_web.cpp (a library linked
// into game.js). A script node on the page's one thread asks the mixer for
// each buffer; the context waits for the first press or key, as browsers
// require, and then tells the game. The peak of each recent buffer stays in
// Module.audioPeaks, which is how a test hears the game.
mergeInto(LibraryManager.library, {
  web_audio_open: function (rate, frames) {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    var context;
    try {
      context = new Context({sampleRate: rate});
    } catch (e) {
      return 0;
    }
    var node = context.createScriptProcessor(frames, 0, 1);
    Module.audioPeaks = [];
    node.onaudioprocess = function (event) {
      var out = event.outputBuffer.getChannelData(0);
      var at = _web_audio_pull(out.length) >> 2;
      var samples = HEAPF32.subarray(at, at + out.length);
      out.set(samples);
      var peak = 0;
      for (var i = 0; i < samples.length; i++) peak = Math.max(peak, Math.abs(samples[i]));
      Module.audioPeaks.push(peak);
      if (Module.audioPeaks.length > 4096) Module.audioPeaks.shift();
    };
    node.connect(context.destination);
    Module.audioContext = context;
    var events = ["mousedown", "touchend", "keydown"];
    var resume = function (event) {
      if (!event.isTrusted) return;  // a touch passed on as a mouse press
      events.forEach(function (name) { window.removeEventListener(name, resume, true); });
      context.resume();
      _web_audio_started();
    };
    events.forEach(function (name) { window.addEventListener(name, resume, true); });
    return 1;
  },
  web_audio_open__deps: ["web_audio_pull", "web_audio_started"],

  web_audio_close: function () {
    if (Module.audioContext) Module.audioContext.close();
    Module.audioContext = null;
  },
});
