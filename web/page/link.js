// The show's link: the thirteen texts and the background travel in the
// fragment, which browsers never send to a server. The fragment is
// "show=" and the base64url of the UTF-8 of a small JSON object.
const ShowLink = (() => {
  const SLOTS = 13;
  const KEY = 'show=';
  // Anything longer is not a link this page made; it is refused before
  // decoding rather than held in memory.
  const MAX_FRAGMENT = 200000;

  function toBase64Url(bytes) {
    let binary = '';
    for (const b of bytes) binary += String.fromCharCode(b);
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  function fromBase64Url(text) {
    const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
  }

  // "sky" or a colour "#rrggbb"; anything else is the sky.
  function background(value) {
    return typeof value === 'string' && /^#[0-9a-f]{6}$/i.test(value) ? value.toLowerCase() : 'sky';
  }

  function encode(texts, bg) {
    const show = { v: 1, bg: background(bg), texts: Array.from({ length: SLOTS }, (_, i) => String(texts[i] ?? '')) };
    return KEY + toBase64Url(new TextEncoder().encode(JSON.stringify(show)));
  }

  // The show a fragment carries ({texts, bg}), or null when it carries none
  // or was damaged on the way: the page then opens its editor.
  function decode(fragment) {
    const body = String(fragment || '').replace(/^#/, '');
    if (!body.startsWith(KEY) || body.length > MAX_FRAGMENT) return null;
    let show;
    try {
      show = JSON.parse(new TextDecoder('utf-8', { fatal: true }).decode(fromBase64Url(body.slice(KEY.length))));
    } catch {
      return null;
    }
    if (!show || typeof show !== 'object' || !Array.isArray(show.texts)) return null;
    const texts = Array.from({ length: SLOTS }, (_, i) => (typeof show.texts[i] === 'string' ? show.texts[i] : ''));
    return { texts, bg: background(show.bg) };
  }

  return { encode, decode, background, SLOTS };
})();

if (typeof module !== 'undefined') module.exports = ShowLink;
