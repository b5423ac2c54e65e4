'use strict';
// Colouring of one listing line: which stretches are labels, mnemonics,
// pseudo-ops, numbers, strings and comments. Label uses are not found here:
// the module hands them over as spans; this only reads the layout every
// listing line has (label field, statement, operand, comment).
const colourClass = {
  label: 'k-lab', mnemonic: 'k-mn', pseudo: 'k-ps', number: 'k-num', string: 'k-str',
  comment: 'k-cmt',
};

function escapeHtml(text) {
  return text.replace(/[&<>\r]/g,
                      (c) => (c === '&' ? '&amp;' : c === '<' ? '&lt;' : c === '>' ? '&gt;' : '&#13;'));
}

// [start, end, kind] stretches of `line` from `from` on, in order.
function lineStretches(line, from) {
  const out = [];
  const n = line.length;
  let i = from;
  if (line[i] === ';') return [[i, n, 'comment']];
  if (i < n && line[i] !== ' ') {
    const start = i;
    while (i < n && line[i] !== ' ') i++;
    out.push([start, i, 'label']);
  }
  while (i < n && line[i] === ' ') i++;
  if (i < n && line[i] !== ';') {
    const start = i;
    while (i < n && line[i] !== ' ') i++;
    const word = line.slice(start, i);
    if (word[0] === '.' || word[0] === '#' || word === '*=' || word === '=') {
      out.push([start, i, 'pseudo']);
    } else if (/^[a-z]{3}$/i.test(word)) {
      out.push([start, i, 'mnemonic']);
    } else {
      i = start;
    }
  }
  while (i < n) {
    const c = line[i];
    if (c === ';') {
      out.push([i, n, 'comment']);
      break;
    }
    if (c === '"') {
      let end = line.indexOf('"', i + 1);
      end = end < 0 ? n : end + 1;
      out.push([i, end, 'string']);
      i = end;
      continue;
    }
    const number = /^(\$[0-9a-f]+|%[01]+|[0-9]+)/i.exec(line.slice(i, i + 20));
    if (number && !/[a-z0-9_]/i.test(line[i - 1] || ' ')) {
      out.push([i, i + number[0].length, 'number']);
      i += number[0].length;
      continue;
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
