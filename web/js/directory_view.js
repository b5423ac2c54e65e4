'use strict';
// The directory of one image as a table: blocks, name, type (with the
// unclosed "*" and locked "<" marks as lorvex-disk writes them) and
// variant; the header and summary lines exactly as lorvex-disk prints them.
// Arrow keys, Home and End move between rows, Enter or a click chooses one.
class DirectoryView {
  constructor(table, onChoose) {
    this.table = table;
    this.onChoose = onChoose;
    this.rows = [];
    table.addEventListener('keydown', (event) => this.key(event));
    table.addEventListener('click', (event) => {
      const row = event.target.closest('tr[data-entry]');
      if (row) this.choose(Number(row.dataset.entry));
    });
  }

  show(image) {
    const lines = image.directory.replace(/\n$/, '').split('\n');
    const table = this.table;
    table.textContent = '';
    table.createCaption().textContent = lines[0];
    const head = table.createTHead().insertRow();
    for (const title of ['Blocks', 'Name', 'Type', 'Variant']) {
      const cell = document.createElement('th');
      cell.scope = 'col';
      cell.textContent = title;
      head.appendChild(cell);
    }
    const body = table.createTBody();
    this.rows = image.entries.map((entry, index) => {
      const row = body.insertRow();
      row.dataset.entry = index;
      row.tabIndex = -1;
      row.className = entry.variant ? 'source' : 'other';
      const type = (entry.closed ? ' ' : '*') + entry.type + (entry.locked ? '<' : ' ');
      for (const [text, kind] of [[String(entry.blocks), 'blocks'], [entry.name, 'name'],
                                  [type, 'type'], [entry.variant || '', 'variant']]) {
        const cell = row.insertCell();
        cell.className = kind;
        cell.textContent = text;
      }
      return row;
    });
    const foot = table.createTFoot().insertRow().insertCell();
    foot.colSpan = 4;
    foot.textContent = lines[lines.length - 1];
    if (this.rows.length) this.rows[0].tabIndex = 0;
  }

  // Marks entry i as the chosen one, focused with the keyboard if asked.
  mark(i, focus) {
    this.rows.forEach((row, k) => {
      row.tabIndex = k === i ? 0 : -1;
      row.classList.toggle('chosen', k === i);
      if (k === i) {
        row.setAttribute('aria-selected', 'true');
      } else {
        row.removeAttribute('aria-selected');
      }
    });
    if (focus && this.rows[i]) this.rows[i].focus();
  }

  choose(i) {
    this.mark(i, false);
    this.onChoose(i);
  }

  key(event) {
    const row = event.target.closest('tr[data-entry]');
    if (!row) return;
    const i = Number(row.dataset.entry);
    const last = this.rows.length - 1;
    const to = {ArrowDown: Math.min(i + 1, last), ArrowUp: Math.max(i - 1, 0), Home: 0, End: last};
    if (event.key in to) {
      event.preventDefault();
      const k = to[event.key];
      this.rows.forEach((r, n) => (r.tabIndex = n === k ? 0 : -1));
      this.rows[k].focus();
    } else if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      this.choose(i);
    }
  }
}
