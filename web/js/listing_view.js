'use strict';
// The listing view: the listing text in a <pre> whose text is exactly the
// listing, coloured, with label links, beside a gutter of line numbers (the
// numbers -n writes), kept out of the text. Lines go into blocks of a fixed
// count. A block holds its plain text at first and is coloured when it
// comes near the screen, and the browser lays out only the blocks near it,
// so the largest listing shows at once.
const kBlockLines = 256;

class ListingView {
  constructor(scroller, gutter, text, marker) {
    this.scroller = scroller;
    this.gutter = gutter;
    this.textElement = text;
    this.marker = marker;
    this.lineStarts = [0];
    this.text = '';
    this.firstLine = 0;
    this.count = 0;
    this.labels = new Map();
    this.blocks = [];
    this.observer = new IntersectionObserver((seen) => {
      for (const entry of seen) {
        if (entry.isIntersecting) this.colourBlock(Number(entry.target.dataset.block));
      }
    }, {root: scroller, rootMargin: '1500px 0px'});
  }

  lineHeight() {
    return parseFloat(getComputedStyle(this.textElement).lineHeight) || 18;
  }

  // Shows listing (as LorvexImage.listing returns it). hrefFor(line) is the
  // link to a source line; label links carry the label in data-label, and
  // this.labels holds the labels (labelsOfListing).
  show(listing, hrefFor) {
    const text = listing.text;
    this.text = text;
    this.firstLine = listing.firstLine;
    const lines = text.split('\n');
    // The text after the last line break (normally none) is a line too.
    const count = lines[lines.length - 1] === '' ? lines.length - 1 : lines.length;
    this.lineStarts = new Array(count + 1);
    let offset = 0;
    for (let k = 0; k < count; k++) {
      this.lineStarts[k] = offset;
      offset += lines[k].length + 1;
    }
    this.lineStarts[count] = text.length;
    this.count = count;
    this.lines = lines;
    this.listing = listing;
    this.hrefFor = hrefFor;
    this.labels = labelsOfListing(lines, listing.spans, listing.firstLine);
    // With -n every source line starts with its number.
    this.numbered = /^ *[0-9]+: /.test(lines[listing.firstLine] || '');

    this.observer.disconnect();
    this.blocks = [];
    const height = this.lineHeight();
    const textBlocks = document.createDocumentFragment();
    const gutterBlocks = document.createDocumentFragment();
    const sourceEnd = listing.firstLine + listing.sourceLines;
    const spans = listing.spans;
    let s = 0;
    for (let first = 0; first < count || first === 0; first += kBlockLines) {
      const last = Math.min(first + kBlockLines, count);
      while (s < spans.length && spans[s] < first) s += 5;
      let numbers = '';
      for (let k = first; k < last; k++) {
        numbers += (k >= listing.firstLine && k < sourceEnd ? k - listing.firstLine : '') + '\n';
      }
      // Only the height stands in for a block not laid out: a width would
      // widen the gutter.
      const size = 'auto ' + (last - first) * height + 'px';
      const block = document.createElement('span');
      block.className = 'block';
      block.style.containIntrinsicHeight = size;
      block.dataset.block = this.blocks.length;
      block.textContent = text.slice(this.lineStarts[first], this.lineStarts[last]);
      const numberBlock = document.createElement('span');
      numberBlock.className = 'block';
      numberBlock.style.containIntrinsicHeight = size;
      numberBlock.textContent = numbers;
      textBlocks.appendChild(block);
      gutterBlocks.appendChild(numberBlock);
      this.blocks.push({element: block, first, last, span: s, coloured: false});
      if (count === 0) break;
    }
    this.textElement.replaceChildren(textBlocks);
    this.scroller.scrollTop = 0;
    this.gutter.replaceChildren(gutterBlocks);
    this.marker.hidden = true;
    this.colourNear(0);
    for (const block of this.blocks) {
      if (!block.coloured) this.observer.observe(block.element);
    }
  }

  // Colours the blocks around text line k now, so they show coloured at once.
  colourNear(k) {
    const b = Math.floor(k / kBlockLines);
    for (let n = Math.max(0, b - 1); n <= b + 1 && n < this.blocks.length; n++) this.colourBlock(n);
  }

  colourBlock(b) {
    const block = this.blocks[b];
    if (!block || block.coloured) return;
    block.coloured = true;
    this.observer.unobserve(block.element);
    const listing = this.listing;
    const lines = this.lines;
    const spans = listing.spans;
    const sourceEnd = listing.firstLine + listing.sourceLines;
    // A label use links to the definition; a definition to itself, and
    // both show the label's uses when followed.
    const linkFor = (label, name, definition) => {
      const target = this.labels.get(label);
      if (!target || target.line === null) return escapeHtml(name);
      return '<a class="k-lab' + (definition ? ' k-def' : '') + '" data-label="' + label +
             '" href="' + this.hrefFor(target.line) + '">' + escapeHtml(name) + '</a>';
    };
    let s = block.span;
    let html = '';
    for (let k = block.first; k < block.last; k++) {
      const line = lines[k];
      const end = k + 1 < lines.length ? '\n' : '';
      if (line === '') {
        html += end;
      } else if (k >= listing.firstLine && k < sourceEnd) {
        const uses = [];
        while (s < spans.length && spans[s] < k) s += 5;
        while (s < spans.length && spans[s] === k) {
          uses.push([spans[s + 1], spans[s + 2], spans[s + 3], spans[s + 4]]);
          s += 5;
        }
        const from = this.numbered ? line.indexOf(': ') + 2 : 0;
        html += colouredLine(line, from, uses, linkFor) + end;
      } else {
        html += escapeHtml(line) + end;
      }
    }
    block.element.innerHTML = html;
  }

  // The text line that holds source line `line`.
  textLine(line) {
    return Math.max(0, Math.min(this.count - 1, this.firstLine + line));
  }

  // Scrolls text line k into view, a third down the view, and marks it.
  showTextLine(k) {
    this.colourNear(k);
    const height = this.lineHeight();
    const top = this.textElement.offsetTop + k * height;
    this.marker.style.top = top + 'px';
    this.marker.style.height = height + 'px';
    this.marker.hidden = false;
    this.scroller.scrollTop = Math.max(0, top - this.scroller.clientHeight / 3);
  }

  // The text line holding character offset `at` of the text.
  lineAt(at) {
    let low = 0, high = this.count - 1;
    while (low < high) {
      const mid = (low + high + 1) >> 1;
      if (this.lineStarts[mid] <= at) low = mid; else high = mid - 1;
    }
    return low;
  }

  // Every offset where `needle` occurs, ignoring case.
  find(needle) {
    const found = [];
    if (!needle) return found;
    const hay = this.text.toLowerCase();
    const lower = needle.toLowerCase();
    for (let at = hay.indexOf(lower); at >= 0; at = hay.indexOf(lower, at + 1)) found.push(at);
    return found;
  }

  // Selects `length` characters at offset `at` of the text and shows them.
  select(at, length) {
    const k = this.lineAt(at);
    this.showTextLine(k);
    const block = this.blocks[Math.floor(k / kBlockLines)];
    if (!block) return;
    this.colourBlock(Math.floor(k / kBlockLines));
    let offset = at - this.lineStarts[Math.floor(k / kBlockLines) * kBlockLines];
    const walker = document.createTreeWalker(block.element, NodeFilter.SHOW_TEXT);
    const range = document.createRange();
    let startSet = false;
    let left = length;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      const size = node.data.length;
      if (!startSet) {
        if (offset >= size) {
          offset -= size;
          continue;
        }
        range.setStart(node, offset);
        startSet = true;
        left += offset;
      }
      if (left <= size) {
        range.setEnd(node, left);
        const selection = getSelection();
        selection.removeAllRanges();
        selection.addRange(range);
        return;
      }
      left -= size;
    }
  }
}

if (typeof module !== 'undefined') module.exports = {ListingView};
