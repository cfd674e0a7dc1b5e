'use strict';
// The page around the show: the canvas, the "play with sound" and fullscreen controls, the
// program's messages as text, and what the program asks of its page (Module.page). Options in the
// address, after #, joined by &:
//   t=MS[,MS...]  the test clock: the show stands at these moments (ms), counted as capture does
//   size=WxH      the canvas draws at exactly W x H pixels, whatever it shows at
//   post          hands each test picture (and what pcm and fps give) to the server: POST /posted/NAME
//   pcm           renders the song's first seconds and its loop seam offline, as the page plays it
//   fps=S         counts the frames drawn in S seconds after the first one
(function () {
  var kPcmSeconds = 3;  // how much of the song the offline renders cover

  var notes = document.getElementById('notes');
  var soundButton = document.getElementById('sound');
  var options = readOptions(location.hash.slice(1));
  var posts = [];
  var errors = [];
  var stderrLines = [];
  var sound = null;  // the live AudioContext once the music plays

  function readOptions(text) {
    var found = {};
    text.split('&').forEach(function (part) {
      var eq = part.indexOf('=');
      if (part) found[eq < 0 ? part : part.slice(0, eq)] = eq < 0 ? '' : part.slice(eq + 1);
    });
    return found;
  }

  // The notes under the show: what the page is doing, then the program's messages.
  var status = 'Loading the show ...';
  var messages = [];
  function showNotes() {
    notes.textContent = [status].concat(messages).filter(Boolean).join('\n');
  }
  function say(text) {
    status = text;
    showNotes();
  }

  function post(name, body) {
    if (!('post' in options)) return Promise.resolve();
    var sent = fetch('/posted/' + name, {method: 'POST', body: body});
    posts.push(sent);
    return sent;
  }

  function fail(text) {
    errors.push(text);
    say(text);
    post('error.txt', errors.concat(stderrLines).join('\n'));
  }
  window.addEventListener('error', function (event) { fail('error: ' + event.message); });
  window.addEventListener('unhandledrejection', function (event) { fail('error: ' + event.reason); });

  function numbers(text, separator) {
    var list = text.split(separator).map(Number);
    return list.every(function (n) { return isFinite(n) && n >= 0 && text !== ''; }) ? list : null;
  }

  var moments = 't' in options ? numbers(options.t, ',') : [];
  if (!moments) fail('The address\'s t= is not a list of milliseconds: ' + options.t);
  var size = 'size' in options ? numbers(options.size, 'x') : null;
  if ('size' in options && (!size || size.length !== 2 || !size[0] || !size[1])) {
    fail('The address\'s size= is not WIDTHxHEIGHT: ' + options.size);
    size = null;
  }
  var wanted = (moments || []).length + ('pcm' in options ? 2 : 0) + ('fps' in options ? 1 : 0);
  var handed = 0;

  // Once everything the address asked for is handed on, the server hears that it is complete.
  function handedOne() {
    if (++handed !== wanted) return;
    Promise.all(posts).then(function () {
      post('stderr.txt', stderrLines.join('\n'));
      return post('done', 'done');
    });
  }

  // The song as Web Audio takes it: float channels of our decoder's 16-bit PCM, at its own rate.
  function songBuffer(pcm, rate) {
    var frames = pcm.length / 2;
    var buffer = new AudioBuffer({numberOfChannels: 2, length: frames, sampleRate: rate});
    var left = buffer.getChannelData(0), right = buffer.getChannelData(1);
    for (var i = 0; i < frames; ++i) {
      left[i] = pcm[2 * i] / 32768;
      right[i] = pcm[2 * i + 1] / 32768;
    }
    return buffer;
  }

  var decoded = null;
  function decodedSong() {
    if (decoded) return decoded;
    if (!Module._z3dDecodeSong()) return null;
    var pcm = new Int16Array(HEAPU8.buffer, Module._z3dSongPcm(), Module._z3dSongBytes() / 2);
    decoded = songBuffer(pcm, Module._z3dSongRate());
    Module._z3dReleaseSong();
    return decoded;
  }

  // The whole song loops as one buffer, so the seam is sample for sample the song's end and start.
  function playSong(context, buffer, offsetSeconds) {
    var source = context.createBufferSource();
    source.buffer = buffer;
    source.loop = true;
    source.connect(context.destination);
    source.start(0, offsetSeconds % buffer.duration);
    return source;
  }

  function startSound() {
    var buffer = decodedSong();
    if (!buffer) {
      soundButton.textContent = 'no music';
      return;
    }
    try {
      sound = new AudioContext({sampleRate: buffer.sampleRate});
    } catch (e) {
      sound = new AudioContext();  // a rate the browser cannot run at: it resamples
    }
    // Where the demo clock stands: the music goes with the picture, as both start together natively.
    playSong(sound, buffer, Module._z3dDemoMs() / 1000);
    soundButton.hidden = true;
  }
  soundButton.addEventListener('click', startSound);

  // What a live context would be handed, rendered offline: the first seconds and the loop seam.
  function renderOffline(buffer, fromSecond) {
    var context = new OfflineAudioContext(2, kPcmSeconds * buffer.sampleRate, buffer.sampleRate);
    playSong(context, buffer, fromSecond);
    return context.startRendering().then(function (rendered) {
      var left = rendered.getChannelData(0), right = rendered.getChannelData(1);
      var pcm = new Int16Array(2 * rendered.length);
      for (var i = 0; i < rendered.length; ++i) {
        pcm[2 * i] = Math.max(-32768, Math.min(32767, Math.round(left[i] * 32768)));
        pcm[2 * i + 1] = Math.max(-32768, Math.min(32767, Math.round(right[i] * 32768)));
      }
      return post('pcm-from-' + fromSecond * buffer.sampleRate + '.raw', pcm.buffer);
    });
  }

  function checkSound() {
    var buffer = decodedSong();
    if (!buffer) return fail('error: the song did not decode');
    // A whole second, so that the offset is a whole number of frames.
    var seam = Math.max(0, Math.floor(buffer.duration) - 1);
    renderOffline(buffer, 0).then(handedOne);
    renderOffline(buffer, seam).then(handedOne);
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen();
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  // Before the program's own key handler: the browser lets a page go fullscreen only in the event.
  window.addEventListener('keydown', function (event) {
    if (event.key !== 'F1') return;
    event.preventDefault();
    if (!event.repeat) toggleFullscreen();
  }, true);

  function countFrames(seconds) {
    var from = Module._z3dFramesDrawn(), start = performance.now();
    setTimeout(function () {
      var fps = (Module._z3dFramesDrawn() - from) * 1000 / (performance.now() - start);
      post('fps.txt', fps.toFixed(1) + ' fps at ' + Module.canvas.width + 'x' + Module.canvas.height + '\n');
      handedOne();
    }, seconds * 1000);
  }

  var page = {
    showMessage: function (caption, text) {
      messages.push(caption + ': ' + text);
      showNotes();
    },
    offerSound: function (available) {
      soundButton.disabled = !available;
      if (!available) soundButton.textContent = 'no music';
      if ('pcm' in options) checkSound();
    },
    stopSound: function () {
      if (sound) sound.close();
      sound = null;
    },
    firstFrame: function () {
      var ms = Math.round(performance.now());
      console.log('first frame ' + ms + ' ms after the page was asked for');
      say('');
      post('first-frame.txt', ms + ' ms\n');
      if ('fps' in options) countFrames(Number(options.fps) || 10);
    },
    picture: function (ms, ppm) {
      post('shot-' + String(Math.round(ms)).padStart(6, '0') + '.ppm', ppm).then(handedOne);
    },
    showEnded: function (exitStatus) {
      say(exitStatus === 0 ? 'The show has ended. Reload the page to see it again.'
                           : 'The show could not go on (status ' + exitStatus + ').');
      document.getElementById('controls').hidden = true;
    },
  };

  window.Module = {
    canvas: document.getElementById('canvas'),
    thisProgram: 'zephal3d',
    canvasSize: size,
    testMoments: moments || [],
    page: page,
    print: function (text) { console.log(text); },
    printErr: function (text) {
      console.warn(text);
      stderrLines.push(text);
    },
  };
})();
