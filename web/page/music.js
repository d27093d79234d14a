// The stage music: one looping audio element made from the bytes the page
// carries, started by the tap that starts the show (browsers let a page
// play sound only after one).
const ShowMusic = (() => {
  let audio = null;

  function element() {
    if (!audio) {
      const bytes = Uint8Array.from(atob(SHOW_ASSETS.music), (c) => c.charCodeAt(0));
      audio = new Audio(URL.createObjectURL(new Blob([bytes], { type: 'audio/mp4' })));
      audio.loop = true;
    }
    return audio;
  }

  function start() {
    const a = element();
    a.currentTime = 0;
    // A refusal (no sound device, a browser's policy) leaves the show silent.
    return a.play().catch(() => {});
  }

  function toggleMute() {
    const a = element();
    a.muted = !a.muted;
    return a.muted;
  }

  return { start, toggleMute, element };
})();
