// SPDX-License-Identifier: MIT
// The page's side of the game: it loads the rules (WebAssembly, which the
// build puts above this as titletypeWasm, in base64), hands them the tab's
// key events (the physical key and what it types), wakes them at their
// deadlines, shows the titles they set and, asked to, says what they say.
// Everything else is in C++.
// It takes keys as soon as it can: what can wait (a worker for the clock,
// the offline copy) is made when it is first needed.
(() => {
  'use strict';
  const status = document.getElementById('status');
  let memory = null;
  let game = null;
  let ended = false;

  const bytes = (pointer, length) => new Uint8Array(memory.buffer, pointer, length);
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  // An empty title (or one of spaces) would make the tab show the page's
  // address: a zero-width space shows as nothing instead.
  // The page shows it too, where the browser shows no title (an installed
  // app on a phone, a full screen): the style decides where.
  const shown = document.getElementById('title');
  const showTitle = (text) => {
    document.title = text.trim() ? text : '\u200b';
    shown.textContent = text;
  };
  // The browser's speech, each utterance that cuts in cancelling the rest.
  const speech = window.speechSynthesis;
  const speak = (text, interrupt) => {
    if (interrupt) speech.cancel();
    speech.speak(new SpeechSynthesisUtterance(text));
  };

  const imports = {
    page: {
      set_title: (pointer, length) => showTitle(decoder.decode(bytes(pointer, length))),
      speak: (pointer, length, interrupt) => speak(decoder.decode(bytes(pointer, length)), interrupt),
    },
    wasi_snapshot_preview1: {
      clock_time_get(id, precision, out) {  // 0: the wall clock; else monotonic
        const ms = id === 0 ? Date.now() : performance.now();
        new DataView(memory.buffer).setBigUint64(out, BigInt(Math.round(ms * 1e6)), true);
        return 0;
      },
    },
  };

  // The clock: one timer at a time, aimed at the next absolute deadline.
  // While the page is shown that is its own timer, as close to the
  // deadline as a page's can be; while it is hidden, a worker's, for then
  // the page's own are throttled. The worker is made when first needed.
  const workerSource = 'let t; onmessage = (e) => { clearTimeout(t); ' +
    'if (e.data >= 0) t = setTimeout(() => postMessage(0), e.data); };';
  let worker = null;
  const makeWorker = () => {
    try {
      worker = new Worker(URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' })));
      worker.onmessage = wake;
    } catch (error) {  // no workers here: the page's own timer, throttled when hidden
      worker = false;
    }
    return worker;
  };
  let timer = null;
  let armedFor = -1;  // the deadline the clock is set for, or -1: most keys leave it be
  const arm = () => {
    clearTimeout(timer);
    if (worker) worker.postMessage(-1);
    if (armedFor < 0) return;
    const delay = Math.max(0, armedFor - performance.now());
    if (document.hidden && (worker ?? makeWorker())) worker.postMessage(delay);
    else timer = setTimeout(wake, delay);
  };
  const wake = () => { armedFor = -1; game.tt_run_due_ticks(); schedule(); };
  const schedule = () => {
    if (game.tt_ended()) return end();
    const due = game.tt_next_deadline();
    if (due === armedFor) return;
    armedFor = due;
    arm();
  };
  addEventListener('visibilitychange', arm);

  const end = () => {
    ended = true;
    armedFor = -1;
    arm();
    status.textContent = 'The game has ended. Reload the page to play again.';
    window.close();  // only a tab that a script opened may close
  };

  const onKey = (down) => (event) => {
    if (ended) return;  // the browser's again: F5 reloads the page
    if (!event.code && (event.key === 'Unidentified' || event.keyCode === 229)) {
      // An on-screen keyboard's: it tells the page no key at all.
      status.textContent = 'This keyboard sends no keys, only text: play with a hardware keyboard.';
      return;
    }
    event.preventDefault();  // Tab, F5, F10, Alt+Left and the like are the game's
    const code = encoder.encode(event.code);
    const key = encoder.encode(event.key);
    if (code.length + key.length > 64) return;  // the buffer's size; no key has so long names
    const buffer = bytes(game.tt_key_buffer(), code.length + key.length);
    buffer.set(code);
    buffer.set(key, code.length);
    const modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
      (event.altKey ? 4 : 0) | (event.getModifierState('AltGraph') ? 8 : 0);
    game.tt_key(code.length, key.length, modifiers,
      event.getModifierState('NumLock') ? 1 : 0, down ? 1 : 0);
    schedule();
  };

  // The address chooses how keys are read and whether the game speaks; one
  // line says which, with links to the other ways.
  const params = new URLSearchParams(location.search);
  const typed = params.get('keys') === 'typed';
  const spoken = params.has('speak') && !!speech;
  const link = (change, text) => {
    const other = new URLSearchParams(params);
    change(other);
    const a = document.createElement('a');
    a.href = '?' + other.toString();
    a.textContent = text;
    return a;
  };
  const showKeys = () => {
    const line = document.getElementById('keys');
    line.textContent = typed ? 'Keys: the characters your layout types. '
      : 'Keys: their places on a Japanese (JIS) keyboard. ';
    line.appendChild(link((p) => (typed ? p.delete('keys') : p.set('keys', 'typed')),
      typed ? 'Play by place instead' : 'Play by the characters you type instead'));
    line.append(spoken ? '. The game speaks. ' : '. ');
    line.appendChild(link((p) => (spoken ? p.delete('speak') : p.set('speak', '')),
      spoken ? 'Play silently' : 'Say the game aloud'));
  };

  const showFocus = () => {
    if (!ended) status.textContent = document.hasFocus() ? '' : 'Click here to play.';
  };

  const fromBase64 = (text) => {  // Uint8Array.fromBase64 where the browser is older
    const binary = atob(text);
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
  };
  const wasm = Uint8Array.fromBase64 ? Uint8Array.fromBase64(titletypeWasm) : fromBase64(titletypeWasm);
  // Compiled at once: the module is small, and a promise would cost a task.
  game = new WebAssembly.Instance(new WebAssembly.Module(wasm), imports).exports;
  memory = game.memory;
  game._initialize();
  // A test build takes the random source's answers from the address.
  const answers = params.get('answers');
  if (answers && game.tt_script) {
    const list = answers.split(',').map(Number);
    new Float64Array(memory.buffer, game.tt_script_buffer(), list.length).set(list);
    game.tt_script(list.length);
  }
  if (typed) game.tt_use_typed_keys();
  game.tt_start();
  if (spoken) game.tt_speak();
  const box = document.getElementById('window').style;
  box.width = game.tt_client_width() + 'px';
  box.height = game.tt_client_height() + 'px';
  showKeys();
  addEventListener('keydown', onKey(true));
  addEventListener('keyup', onKey(false));
  addEventListener('focus', showFocus);
  addEventListener('blur', showFocus);
  showFocus();
  if (params.has('speak') && !speech) status.textContent = 'This browser cannot speak.';
  schedule();
  // Served, the page keeps a copy of itself to play offline and to install
  // as an app; from a file there is nothing to keep, and no worker allowed.
  if (navigator.serviceWorker && location.protocol.startsWith('http')) {
    addEventListener('load', () => navigator.serviceWorker.register('offline_worker.js')
      .catch((error) => console.warn('titletype: no copy to play offline:', error)));
  }
})();
