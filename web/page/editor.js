// The editor: thirteen rows like the editor program's (caption, box), the
// background choice, "开始" and "复制链接".
const ShowEditor = (() => {
  const CAPTION = '当前数据：';

  function build(texts, handlers) {
    const rows = document.getElementById('rows');
    rows.textContent = '';
    texts.forEach((text, slot) => {
      const row = document.createElement('label');
      row.className = 'row';
      const caption = document.createElement('span');
      caption.textContent = CAPTION;
      const box = document.createElement('input');
      box.type = 'text';
      box.value = text;
      box.setAttribute('aria-label', `${CAPTION} ${slot + 1}`);
      row.append(caption, box);
      rows.append(row);
    });
    document.getElementById('start').onclick = () => handlers.start(currentTexts(), background());
    document.getElementById('copy').onclick = () => copyLink();
  }

  function currentTexts() {
    return Array.from(document.querySelectorAll('#rows input'), (box) => box.value);
  }

  function background() {
    return document.getElementById('bg-colour').checked ? document.getElementById('colour').value : 'sky';
  }

  async function copyLink() {
    const url = new URL(location.href);
    url.hash = ShowLink.encode(currentTexts(), background());
    const field = document.getElementById('link');
    field.value = url.href;
    field.hidden = false;
    const note = document.getElementById('copied');
    try {
      await navigator.clipboard.writeText(url.href);
      note.textContent = '链接已复制';
    } catch {
      // No clipboard here (an older browser, a page not served securely):
      // the link stands selected in its field for the user to copy.
      field.select();
      note.textContent = document.execCommand && document.execCommand('copy') ? '链接已复制' : '请复制上面的链接';
    }
  }

  return { build, texts: currentTexts, background };
})();
