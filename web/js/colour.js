'use strict';
// Colouring of one listing line: which stretches are labels, mnemonics,
// pseudo-ops, numbers, strings and comments. Label uses are not found here:
// the module hands them over as spans; this only reads the layout every
// listing line has (label field, statement, operand, comment).
const colourClass = {
  label: 'k-lab', mnemonic: 'k-mn', pseudo: 'k-ps', number: 'k-num', string: 'k-str',
  comment: 'k-cmt',
};

const kNeedsEscape = /[&<>\r]/;
// A carriage return is written as a reference: the parser would make a
// raw one a line break.
const kEscapes = {'&': '&amp;', '<': '&lt;', '>': '&gt;', '\r': '&#13;'};
function escapeHtml(text) {
  if (!kNeedsEscape.test(text)) return text;
  return text.replace(/[&<>\r]/g, (c) => kEscapes[c]);
}

const isDigit = (c) => c >= 48 && c <= 57;
const isHexDigit = (c) => isDigit(c) || (c >= 97 && c <= 102) || (c >= 65 && c <= 70);
const isWordChar = (c) => isDigit(c) || (c >= 97 && c <= 122) || (c >= 65 && c <= 90) || c === 95;

// The end of a number ($hex, %binary or decimal) starting at i, or i.
function numberEnd(line, i) {
  const c = line.charCodeAt(i);
  let end = i;
  if (c === 36) {  // $
    for (end = i + 1; isHexDigit(line.charCodeAt(end));) end++;
  } else if (c === 37) {  // %
    for (end = i + 1; line.charCodeAt(end) === 48 || line.charCodeAt(end) === 49;) end++;
  } else if (isDigit(c)) {
    for (end = i + 1; isDigit(line.charCodeAt(end));) end++;
    return end;
  }
  return end > i + 1 ? end : i;
}

// [start, end, kind] stretches of `line` from `from` on, in order.
function lineStretches(line, from) {
  const out = [];
  const n = line.length;
  let i = from;
  if (i >= n) return out;
  if (line.charCodeAt(i) === 59) return [[i, n, 'comment']];
  if (line.charCodeAt(i) !== 32) {
    const start = i;
    while (i < n && line.charCodeAt(i) !== 32) i++;
    out.push([start, i, 'label']);
  }
  while (i < n && line.charCodeAt(i) === 32) i++;
  if (i < n && line.charCodeAt(i) !== 59) {
    const start = i;
    while (i < n && line.charCodeAt(i) !== 32) i++;
    const first = line.charCodeAt(start);
    const length = i - start;
    if (first === 46 || first === 35 || first === 61 || (first === 42 && line[start + 1] === '=')) {
      out.push([start, i, 'pseudo']);
    } else if (length === 3 && isWordChar(first) && !isDigit(first)) {
      out.push([start, i, 'mnemonic']);
    } else {
      i = start;
    }
  }
  while (i < n) {
    const c = line.charCodeAt(i);
    if (c === 59) {  // ;
      out.push([i, n, 'comment']);
      break;
    }
    if (c === 34) {  // "
      let end = line.indexOf('"', i + 1);
      end = end < 0 ? n : end + 1;
      out.push([i, end, 'string']);
      i = end;
      continue;
    }
    if (i === 0 || !isWordChar(line.charCodeAt(i - 1))) {
      const end = numberEnd(line, i);
      if (end > i) {
        out.push([i, end, 'number']);
        i = end;
        continue;
      }
    }
    i++;
  }
  return out;
}

// The line as HTML: its stretches coloured, the label names among `uses`
// ([start, length, label, definition], in order) as the links that
// linkFor(label, text, definition) makes.
function colouredLine(line, from, uses, linkFor) {
  const stretches = lineStretches(line, from);
  let html = '';
  let at = 0;
  let u = 0;
  const plain = (end) => {
    while (at < end) {
      // A label use wins over the stretch it lies in.
      if (u < uses.length && uses[u][0] < end) {
        const [start, length, label, definition] = uses[u++];
        if (start < at) continue;
        html += escapeHtml(line.slice(at, start));
        html += linkFor(label, line.slice(start, start + length), definition);
        at = start + length;
        continue;
      }
      html += escapeHtml(line.slice(at, end));
      at = end;
    }
  };
  for (const [start, end, kind] of stretches) {
    if (start < at) continue;
    plain(start);
    if (u < uses.length && uses[u][0] < end) {
      // Keep the stretch's colour around the links inside it.
      html += '<span class="' + colourClass[kind] + '">';
      plain(end);
      html += '</span>';
    } else {
      html += '<span class="' + colourClass[kind] + '">' + escapeHtml(line.slice(at, end)) +
              '</span>';
      at = end;
    }
  }
  plain(line.length);
  return html;
}

if (typeof module !== 'undefined') module.exports = {lineStretches, colouredLine, escapeHtml};
