'use strict';
// The listing view: the listing text in a <pre> whose text is exactly the
// listing, coloured, with label links, beside a gutter of line numbers (the
// numbers -n writes), kept out of the text. Lines go into blocks of a fixed
// count that the browser lays out only when they come near the screen, so
// the largest listing shows at once.
const kBlockLines = 256;

class ListingView {
  // root holds .gutter and .text (<pre> elements) inside one scroller.
  constructor(scroller, gutter, text, marker) {
    this.scroller = scroller;
    this.gutter = gutter;
    this.textElement = text;
    this.marker = marker;
    this.lineStarts = [0];
    this.text = '';
    this.firstLine = 0;
    this.labels = new Map();
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

    this.labels = labelsOfListing(lines, listing.spans, listing.firstLine);
    const sourceEnd = listing.firstLine + listing.sourceLines;
    const spans = listing.spans;
    let s = 0;
    // A label use links to the definition; a definition to itself, and
    // both show the label's uses when followed.
    const linkFor = (label, name, definition) => {
      const target = this.labels.get(label);
      if (!target || target.line === null) return escapeHtml(name);
      return '<a class="k-lab' + (definition ? ' k-def' : '') + '" data-label="' + label +
             '" href="' + hrefFor(target.line) + '">' + escapeHtml(name) + '</a>';
    };
    const numbered = /^ *[0-9]+: /;

    const height = this.lineHeight();
    const textParts = [];
    const gutterParts = [];
    for (let first = 0; first < count || (first === 0 && count === 0); first += kBlockLines) {
      const last = Math.min(first + kBlockLines, count);
      let html = '';
      let numbers = '';
      for (let k = first; k < last; k++) {
        const line = lines[k];
        const end = k + 1 < lines.length ? '\n' : '';
        const source = k - listing.firstLine;
        if (k >= listing.firstLine && k < sourceEnd) {
          const uses = [];
          while (s < spans.length && spans[s] < k) s += 5;
          while (s < spans.length && spans[s] === k) {
            uses.push([spans[s + 1], spans[s + 2], spans[s + 3], spans[s + 4]]);
            s += 5;
          }
          const prefix = numbered.exec(line);
          html += colouredLine(line, prefix ? prefix[0].length : 0, uses, linkFor) + end;
          numbers += source + '\n';
        } else {
          html += escapeHtml(line) + end;
          numbers += '\n';
        }
      }
      const size = ' style="contain-intrinsic-size:auto ' + (last - first) * height + 'px"';
      textParts.push('<span class="block"' + size + '>' + html + '</span>');
      gutterParts.push('<span class="block"' + size + '>' + numbers + '</span>');
      if (count === 0) break;
    }
    // A text after the last line break belongs to the last block already.
    this.textElement.innerHTML = textParts.join('');
    this.gutter.innerHTML = gutterParts.join('');
    this.marker.hidden = true;
  }

  // The text line that holds source line `line`.
  textLine(line) {
    return Math.max(0, Math.min(this.count - 1, this.firstLine + line));
  }

  // Scrolls text line k into view, a third down the view, and marks it.
  showTextLine(k) {
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
    const block = this.textElement.children[Math.floor(k / kBlockLines)];
    if (!block) return;
    let offset = at - this.lineStarts[Math.floor(k / kBlockLines) * kBlockLines];
    const walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
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
