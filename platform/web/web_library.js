// The page's side of the web backend: the canvas and how it is fitted to
// the browser's window, keys, taps, pads, focus, the audio output, the
// stored best score, the lock that keeps one copy running, the About
// dialog and the page's line of text. The game's C++ calls the functions
// below; the page's events reach the game through web_key and
// web_activate, while the game sleeps.
mergeInto(LibraryManager.library, {
  $QB: {
    open: false,
    canvas: null,
    ctx: null,
    image: null,
    presents: 0,
    taps: [],
    padHeld: 0,
    pointer: '',
    active: true,
    gesture: false,
    audio: null,
    releaseLock: null,
    // KeyboardEvent.code to the game's virtual-key codes: the keys the page
    // takes for itself. Everything else is the browser's.
    KEYS: {Digit1: 0x31, Digit2: 0x32, Digit3: 0x33, Space: 0x20, Escape: 0x1b, F1: 0x70, F2: 0x71},
    // The keypad's digits count with Num Lock on, when they type digits.
    PAD_DIGITS: {Numpad1: 0x61, Numpad2: 0x62, Numpad3: 0x63},
    // The "standard" pad's buttons by where they sit: X, A, B (left,
    // bottom, right), Y, Start, Back; and the keys they are.
    PAD_BUTTONS: [[2, 0x99], [0, 0x97], [1, 0x98], [3, 0x9a], [9, 0x9c], [8, 0x9b]],
    // A tap: the column's digit and Space, so it throws during a stage and
    // goes on wherever the game waits for Space.
    TAP_KEYS: [[0x31, 0x20], [0x32, 0x20], [0x33, 0x20]],
    // Audio kept queued ahead of the output, in seconds.
    AUDIO_AHEAD: 0.02,
    // Where even scale 2 does not fit and scale 1 leaves more than this
    // share of the width empty, the picture fills the width.
    FILL_WIDTH_EMPTY: 0.4,

    key: function(down, vk, ctrl) {
      if (QB.open) Module['_web_key'](down, vk, ctrl);
    },
    takenKey: function(e) {
      if (e.code === 'KeyI' && e.ctrlKey && !e.altKey && !e.metaKey) return 0x49;
      if (e.ctrlKey || e.altKey || e.metaKey) return 0;
      if (e.code in QB.KEYS) return QB.KEYS[e.code];
      if (e.code in QB.PAD_DIGITS && /^[0-9]$/.test(e.key)) return QB.PAD_DIGITS[e.code];
      return 0;
    },
    // The first key or tap lets the browser start the sound.
    userGesture: function() {
      QB.gesture = true;
      var a = QB.audio;
      if (a && a.ctx.state === 'suspended' && !document.hidden) a.ctx.resume();
    },
    onKeyDown: function(e) {
      if (!QB.open || document.getElementById('about').open) return;
      QB.userGesture();
      if ((e.altKey && (e.code === 'Enter' || e.code === 'NumpadEnter')) || e.code === 'F11') {
        e.preventDefault();
        if (!e.repeat) QB.toggleFullscreen();
        return;
      }
      var vk = QB.takenKey(e);
      if (!vk) return;
      e.preventDefault();
      if (!e.repeat) QB.key(1, vk, e.ctrlKey ? 1 : 0);
    },
    onKeyUp: function(e) {
      var vk = e.code === 'KeyI' ? 0x49 : QB.KEYS[e.code] || QB.PAD_DIGITS[e.code];
      if (!vk) return;
      // Space lets go of the About dialog's OK button: the dialog's own.
      if (!document.getElementById('about').open) e.preventDefault();
      QB.key(0, vk, 0);
    },
    // A press is held for at least one frame: a release that comes before
    // the game has sampled the press waits for two presents.
    press: function(id, vks) {
      QB.userGesture();
      vks.forEach(function(vk) { QB.key(1, vk, 0); });
      QB.taps.push({id: id, vks: vks, at: QB.presents, up: false});
    },
    release: function(id) {
      QB.taps.forEach(function(t) { if (t.id === id) t.up = true; });
      QB.releaseDue();
    },
    releaseDue: function() {
      QB.taps = QB.taps.filter(function(t) {
        if (!t.up || QB.presents < t.at + 2) return true;
        t.vks.forEach(function(vk) { QB.key(0, vk, 0); });
        return false;
      });
    },
    onPointerDown: function(e) {
      QB.pointer = e.pointerType;
      if (e.pointerType === 'mouse') return;
      e.preventDefault();
      var r = QB.canvas.getBoundingClientRect();
      var column = Math.max(0, Math.min(2, Math.floor((3 * (e.clientX - r.left)) / r.width)));
      QB.press(e.pointerId, QB.TAP_KEYS[column]);
    },
    onPointerUp: function(e) {
      QB.release(e.pointerId);
    },
    // A hidden tab is silent until it is shown again.
    focusChanged: function() {
      var active = !document.hidden && document.hasFocus();
      var a = QB.audio;
      if (a && document.hidden && a.ctx.state === 'running') {
        a.ctx.suspend();
        a.hidden = true;
      }
      if (a && !document.hidden && a.hidden) {
        a.ctx.resume();
        a.hidden = false;
      }
      if (active === QB.active) return;
      QB.active = active;
      if (QB.open) Module['_web_activate'](active ? 1 : 0);
    },
    toggleFullscreen: function() {
      if (document.fullscreenElement) document.exitFullscreen();
      else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen();
    },
    // The largest whole scale that fits, each game pixel an s x s block of
    // device pixels, placed on whole device pixels; on a phone, the width.
    fit: function() {
      var c = QB.canvas;
      if (!c) return;
      var bar = document.getElementById('touch-keys');
      var dpr = window.devicePixelRatio || 1;
      var barHeight = bar && !bar.hidden ? bar.offsetHeight : 0;
      var W = Math.floor(window.innerWidth * dpr);
      var H = Math.floor((window.innerHeight - barHeight) * dpr);
      var s = Math.floor(Math.min(W / c.width, H / c.height));
      var w, h;
      if (s < 1 || (s < 2 && W - c.width > QB.FILL_WIDTH_EMPTY * W)) {
        w = W;
        h = Math.floor((W * c.height) / c.width);
        if (h > H) {
          h = H;
          w = Math.floor((H * c.width) / c.height);
        }
      } else {
        w = c.width * s;
        h = c.height * s;
      }
      c.style.left = Math.floor((W - w) / 2) / dpr + 'px';
      c.style.top = Math.max(0, Math.floor((H - h) / 2)) / dpr + 'px';
      c.style.width = w / dpr + 'px';
      c.style.height = h / dpr + 'px';
    },
  },

  web_page_open__deps: ['$QB'],
  web_page_open: function() {
    var c = document.getElementById('screen');
    var ctx = c && c.getContext('2d', {alpha: false});
    if (!ctx) return 0;
    QB.canvas = c;
    QB.ctx = ctx;
    if (!QB.listening) {
      QB.listening = true;
      window.addEventListener('keydown', QB.onKeyDown);
      window.addEventListener('keyup', QB.onKeyUp);
      c.addEventListener('pointerdown', QB.onPointerDown);
      ['pointerup', 'pointercancel'].forEach(function(t) { window.addEventListener(t, QB.onPointerUp); });
      // A double click, not a double tap: taps are throws.
      c.addEventListener('dblclick', function() { if (QB.pointer === 'mouse') QB.toggleFullscreen(); });
      ['focus', 'blur'].forEach(function(t) { window.addEventListener(t, QB.focusChanged); });
      document.addEventListener('visibilitychange', QB.focusChanged);
      window.addEventListener('resize', QB.fit);
      var about = document.getElementById('about');
      about.addEventListener('cancel', function(e) { e.preventDefault(); });
      about.addEventListener('keydown', function(e) { if (e.key === 'Escape') e.preventDefault(); });
      var bar = document.getElementById('touch-keys');
      bar.hidden = !(navigator.maxTouchPoints > 0);
      bar.querySelectorAll('button').forEach(function(b) {
        var vk = parseInt(b.dataset.vk, 10);
        b.addEventListener('pointerdown', function(e) { e.preventDefault(); QB.press(e.pointerId, [vk]); });
      });
    }
    QB.open = true;
    QB.active = true;
    c.hidden = false;
    QB.fit();
    // A page opened in the background starts frozen, like an inactive window.
    setTimeout(QB.focusChanged, 0);
    return 1;
  },

  web_page_close__deps: ['$QB'],
  web_page_close: function() {
    QB.open = false;
    QB.taps = [];
    if (QB.canvas) QB.canvas.hidden = true;
  },

  web_page_title: function(title) {
    document.title = UTF8ToString(title);
  },

  web_page_line: function(text) {
    var line = document.getElementById('line');
    line.textContent = UTF8ToString(text);
    line.hidden = !line.textContent;
  },

  web_pads_poll__deps: ['$QB'],
  web_pads_poll: function() {
    QB.presents++;
    QB.releaseDue();
    if (!navigator.getGamepads) return;
    var held = 0;
    Array.prototype.forEach.call(navigator.getGamepads(), function(p) {
      if (!p || !p.connected || p.mapping !== 'standard') return;
      QB.PAD_BUTTONS.forEach(function(b, bit) {
        if (p.buttons[b[0]] && p.buttons[b[0]].pressed) held |= 1 << bit;
      });
    });
    var changed = held ^ QB.padHeld;
    QB.padHeld = held;
    QB.PAD_BUTTONS.forEach(function(b, bit) {
      if (changed & (1 << bit)) QB.key(held & (1 << bit) ? 1 : 0, b[1], 0);
    });
  },

  web_present__deps: ['$QB'],
  web_present: function(rgba, width, height, top, bottom) {
    var c = QB.canvas;
    if (c.width !== width || c.height !== height) {
      c.width = width;
      c.height = height;
      QB.fit();
    }
    // A view of the game's memory; made again when the memory has grown.
    if (!QB.image || QB.image.data.buffer !== HEAPU8.buffer || QB.imageAt !== rgba || QB.image.width !== width) {
      QB.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      QB.imageAt = rgba;
    }
    QB.ctx.putImageData(QB.image, 0, 0, 0, top, width, bottom - top);
  },

  web_about_open: function(title, date, maker) {
    var d = document.getElementById('about');
    d.querySelector('.title').textContent = UTF8ToString(title);
    d.querySelector('.date').textContent = UTF8ToString(date);
    d.querySelector('.maker').textContent = UTF8ToString(maker);
    d.showModal();
    d.querySelector('button').focus();
  },

  web_about_is_open: function() {
    return document.getElementById('about').open ? 1 : 0;
  },

  web_love: function() {
    return new URLSearchParams(location.search).has('love') ? 1 : 0;
  },

  // The bytes of a stored value, base64 in localStorage; -1 when there is
  // none or it is not base64.
  web_storage_read: function(key, out, size) {
    var bytes;
    try {
      var value = localStorage.getItem(UTF8ToString(key));
      if (value === null) return -1;
      bytes = atob(value);
    } catch (e) {
      return -1;
    }
    var n = Math.min(bytes.length, size);
    for (var i = 0; i < n; i++) HEAPU8[out + i] = bytes.charCodeAt(i);
    return n;
  },

  // One setItem: the old value stands until the new one is stored.
  web_storage_write: function(key, bytes, size) {
    try {
      localStorage.setItem(UTF8ToString(key), btoa(String.fromCharCode.apply(null, HEAPU8.subarray(bytes, bytes + size))));
      return 1;
    } catch (e) {
      return 0;
    }
  },

  // The output: an AudioWorklet that plays the frames the game sends, in
  // order, and counts the render quanta it could not fill once playing.
  web_audio_start__deps: ['$QB'],
  web_audio_start: function() {
    return Asyncify.handleAsync(async function() {
      var worklet =
        'class Q extends AudioWorkletProcessor {' +
        ' constructor() { super(); this.q = []; this.at = 0; this.playing = false; this.underruns = 0;' +
        '  this.port.onmessage = (e) => this.q.push(e.data); }' +
        ' process(inputs, outputs) { const l = outputs[0][0], r = outputs[0][1]; let i = 0;' +
        '  while (i < l.length && this.q.length) { const b = this.q[0];' +
        '   while (i < l.length && this.at < b.length) { l[i] = b[this.at++]; r[i] = b[this.at++]; i++; }' +
        '   if (this.at >= b.length) { this.q.shift(); this.at = 0; } }' +
        '  if (i > 0) this.playing = true;' +
        '  else if (this.playing) { this.playing = false; }' +
        '  if (i < l.length && this.playing) { this.underruns++; this.port.postMessage(this.underruns); }' +
        '  return true; } }' +
        'registerProcessor("quobbin-output", Q);';
      try {
        var ctx = new AudioContext({latencyHint: 'interactive'});
        var url = URL.createObjectURL(new Blob([worklet], {type: 'text/javascript'}));
        await ctx.audioWorklet.addModule(url);
        URL.revokeObjectURL(url);
        var node = new AudioWorkletNode(ctx, 'quobbin-output', {numberOfInputs: 0, outputChannelCount: [2]});
        node.connect(ctx.destination);
        QB.audio = {ctx: ctx, node: node, rate: ctx.sampleRate, until: 0, sent: 0, underruns: 0, ahead: QB.AUDIO_AHEAD};
        node.port.onmessage = function(e) { QB.audio.underruns = e.data; };
        Module['audio'] = QB.audio;
        if (QB.gesture && !document.hidden) ctx.resume();
        return ctx.sampleRate | 0;
      } catch (e) {
        return 0;
      }
    });
  },

  // Frames the queue takes now: none while the context does not run.
  web_audio_room__deps: ['$QB'],
  web_audio_room: function() {
    var a = QB.audio;
    if (!a || a.ctx.state !== 'running') return 0;
    var now = a.ctx.currentTime;
    if (a.until < now) a.until = now;
    return Math.max(0, Math.floor((a.ahead - (a.until - now)) * a.rate));
  },

  web_audio_send__deps: ['$QB'],
  web_audio_send: function(frames, count) {
    var a = QB.audio;
    var samples = HEAP16.subarray(frames >> 1, (frames >> 1) + 2 * count);
    var out = new Float32Array(2 * count);
    for (var i = 0; i < out.length; i++) out[i] = samples[i] / 32768;
    a.node.port.postMessage(out, [out.buffer]);
    a.until += count / a.rate;
    a.sent += count;
  },

  web_audio_stop__deps: ['$QB'],
  web_audio_stop: function() {
    if (!QB.audio) return;
    QB.audio.node.disconnect();
    QB.audio.ctx.close();
    QB.audio = null;
  },

  // One copy at a time: a Web Lock held until released. Where the browser
  // has none, every tab plays.
  web_lock_try__deps: ['$QB'],
  web_lock_try: function(name) {
    var n = UTF8ToString(name);
    return Asyncify.handleAsync(function() {
      if (!navigator.locks) return Promise.resolve(1);
      return new Promise(function(resolve) {
        navigator.locks
          .request(n, {ifAvailable: true}, function(lock) {
            resolve(lock ? 1 : 0);
            if (lock) return new Promise(function(r) { QB.releaseLock = r; });
          })
          .catch(function() { resolve(1); });
      });
    });
  },

  web_lock_release__deps: ['$QB'],
  web_lock_release: function() {
    if (QB.releaseLock) QB.releaseLock();
    QB.releaseLock = null;
  },

  // Waits until the lock is free (the tab that holds it has closed).
  web_lock_wait: function(name) {
    var n = UTF8ToString(name);
    return Asyncify.handleAsync(function() {
      if (!navigator.locks) return Promise.resolve();
      return navigator.locks.request(n, function() {}).catch(function() {});
    });
  },
});
