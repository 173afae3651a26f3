// The player page of the Flash helper: one Ruffle player, driven by the helper through
// window.qf. What the page has to say goes out on the console as lines that start with
// "qf:<secret>:", the secret the helper hands to qf.begin before any movie runs. The
// page's policy runs no script but its own and Ruffle's, so a movie's javascript: address
// does nothing; should a script still run, it can neither read the secret (kept in this
// closure only) nor catch the page's lines (the console writer is taken before any movie).
(function () {
  'use strict';
  const ours = 'quendra-flash:';
  const log = console.log.bind(console);
  let prefix = null;
  const say = (text) => {
    if (prefix !== null) log(prefix + text);
  };

  // No WebRTC: its connections go past the helper's request filter.
  delete window.RTCPeerConnection;
  delete window.webkitRTCPeerConnection;

  window.RufflePlayer = {config: {polyfills: false, publicPath: ours + '//local/ruffle/'}};

  // This engine refuses fetch() on a scheme of our own, and Ruffle fetches its code and
  // the movie: those requests go through XMLHttpRequest, every other one is refused.
  window.fetch = function (input) {
    const url = String(input instanceof Request ? input.url : input);
    if (!url.startsWith(ours)) return Promise.reject(new TypeError('only local content'));
    return new Promise((resolve, reject) => {
      const xhr = new XMLHttpRequest();
      xhr.open('GET', url);
      xhr.responseType = 'arraybuffer';
      xhr.onload = () => {
        if (xhr.status !== 200 && xhr.status !== 0) {
          reject(new TypeError('failed to fetch'));
          return;
        }
        const type = xhr.getResponseHeader('Content-Type') || 'application/octet-stream';
        resolve(new Response(xhr.response, {status: 200, headers: {'Content-Type': type}}));
      };
      xhr.onerror = () => reject(new TypeError('failed to fetch'));
      xhr.send();
    });
  };

  // Values as the Flash control writes them in its invoke and reply texts.
  const escapeXml = (s) => String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;')
      .replace(/>/g, '&gt;').replace(/"/g, '&quot;').replace(/'/g, '&apos;');
  function toXml(v) {
    if (v === undefined) return '<undefined/>';
    if (v === null) return '<null/>';
    if (v === true) return '<true/>';
    if (v === false) return '<false/>';
    if (typeof v === 'number') return '<number>' + v + '</number>';
    if (typeof v === 'string') return '<string>' + escapeXml(v) + '</string>';
    const items = Object.keys(v).map(
        (k) => '<property id="' + escapeXml(k) + '">' + toXml(v[k]) + '</property>');
    return (Array.isArray(v) ? '<array>' : '<object>') + items.join('') +
        (Array.isArray(v) ? '</array>' : '</object>');
  }
  function fromXml(node) {
    const kids = Array.from(node.children);
    switch (node.tagName) {
      case 'true': return true;
      case 'false': return false;
      case 'null': return null;
      case 'number': return Number(node.textContent);
      case 'string': return node.textContent;
      case 'array': return kids.map((p) => fromXml(p.firstElementChild));
      case 'object': {
        const o = {};
        kids.forEach((p) => { o[p.getAttribute('id')] = fromXml(p.firstElementChild); });
        return o;
      }
      default: return undefined;
    }
  }

  // Ruffle calls out of a movie (ExternalInterface.call) through a function it builds
  // from the called name; those calls become FlashCall events instead.
  const RealFunction = Function;
  const callOut = /^return \(([\s\S]*)\)\(\.\.\.arguments\);$/;
  window.Function = function (...parts) {
    const match = parts.length === 1 ? callOut.exec(String(parts[0])) : null;
    if (!match) return RealFunction(...parts);
    const name = match[1];
    return function (...args) {
      say('call:<invoke name="' + escapeXml(name) + '" returntype="xml"><arguments>' +
          args.map(toXml).join('') + '</arguments></invoke>');
      return undefined;
    };
  };
  window.Function.prototype = RealFunction.prototype;

  const qf = {player: null, token: 0, loop: true, ended: false, endTimer: 0, leftMs: 0,
              startedAt: 0};
  window.qf = qf;

  // Takes the helper's secret, once; true when Ruffle is ready to play.
  qf.begin = function (secret) {
    if (prefix !== null) return false;
    prefix = 'qf:' + secret + ':';
    return !!(window.RufflePlayer && window.RufflePlayer.newest && window.RufflePlayer.newest());
  };

  // The overlays Ruffle draws over a movie would show in the pictures.
  const hidden = '#play-button,#unmute-overlay,#splash-screen,#context-menu-overlay,' +
      '#panic,#message-overlay,#modal-area,#virtual-keyboard,#volume-controls-modal,' +
      '#video-modal,#clipboard-modal,#hardware-acceleration-modal,#save-manager' +
      '{display:none !important}';

  // Animation frames from the movie's start until its first picture has reached the
  // window that the helper captures: Ruffle draws on the next frame, the compositor
  // hands it on a frame or two later.
  const kPaintFrames = 1;
  function afterFrames(count, then) {
    if (count === 0) then();
    else requestAnimationFrame(() => afterFrames(count - 1, then));
  }

  function makePlayer() {
    if (qf.player) qf.player.remove();
    const player = window.RufflePlayer.newest().createPlayer();
    player.style.cssText = 'position:absolute;left:0;top:0;width:100%;height:100%';
    document.body.appendChild(player);
    const style = document.createElement('style');
    style.textContent = hidden;
    player.shadowRoot.appendChild(style);
    qf.player = player;
    return player;
  }

  function stopEndTimer() {
    if (qf.endTimer) clearTimeout(qf.endTimer);
    qf.endTimer = 0;
  }
  // Without loop the movie ends after its frames have played once.
  function startEndTimer() {
    stopEndTimer();
    if (qf.loop || qf.ended) return;
    qf.startedAt = performance.now();
    qf.endTimer = setTimeout(() => {
      qf.endTimer = 0;
      qf.ended = true;
      qf.leftMs = 0;
      qf.player.pause();
    }, qf.leftMs);
  }
  function movieLengthMs() {
    const meta = qf.player.ruffle().metadata;
    return meta && meta.frameRate > 0 ? 1000 * meta.numFrames / meta.frameRate : 0;
  }

  qf.load = function (url, options, loop, token) {
    qf.token = token;
    stopEndTimer();
    qf.loop = loop;
    qf.ended = false;
    const player = makePlayer();
    const settle = (what) => {
      clearInterval(watch);
      if (token === qf.token) say(what + ':' + token);
    };
    // A movie Ruffle cannot run shows its panic screen; no event tells of it.
    const watch = setInterval(() => {
      if (player.shadowRoot.getElementById('panic')) settle('failed');
    }, 50);
    player.addEventListener('loadedmetadata', () => {
      qf.leftMs = movieLengthMs();
      startEndTimer();
      afterFrames(kPaintFrames, () => settle('loaded'));
    });
    player.ruffle().load(Object.assign({url: url}, options)).catch(() => settle('failed'));
  };
  qf.unload = function () {
    qf.token = 0;
    stopEndTimer();
    if (qf.player) qf.player.remove();
    qf.player = null;
  };
  qf.setLoop = function (loop) {
    qf.loop = loop;
    if (loop) stopEndTimer();
    else if (qf.player && qf.isPlaying()) startEndTimer();
  };
  qf.play = function () {
    if (!qf.player) return false;
    if (qf.ended) {  // played to its end: it plays its length once more
      qf.ended = false;
      qf.leftMs = movieLengthMs();
    }
    qf.player.play();
    startEndTimer();
    return true;
  };
  qf.stop = function () {
    if (!qf.player) return false;
    if (qf.endTimer) qf.leftMs = Math.max(0, qf.leftMs - (performance.now() - qf.startedAt));
    stopEndTimer();
    qf.player.pause();
    return true;
  };
  qf.isPlaying = function () {
    return !!qf.player && !qf.ended && qf.player.isPlaying;
  };
  // An invoke request to a callback the movie offers (Ruffle puts each on the player
  // element itself, never one of the element's own methods); the reply text, or null.
  qf.call = function (request) {
    const doc = new DOMParser().parseFromString(request, 'application/xml');
    const invoke = doc.documentElement;
    const name = invoke && invoke.tagName === 'invoke' ? invoke.getAttribute('name') : null;
    if (!qf.player || !name || !Object.prototype.hasOwnProperty.call(qf.player, name) ||
        typeof qf.player[name] !== 'function') {
      return null;
    }
    const args = invoke.getElementsByTagName('arguments')[0];
    const values = args ? Array.from(args.children).map(fromXml) : [];
    try {
      return toXml(qf.player[name](...values));
    } catch (e) {
      return null;
    }
  };
})();
