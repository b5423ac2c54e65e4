'use strict';
// A listing's labels, gathered from the spans the module reports (no text
// is parsed): label index -> {name, line, uses}, line being the source line
// that defines it (null: none in the listing) and uses the source lines
// that name it in an operand, ascending, once each. Lines count as -n does.
function labelsOfListing(lines, spans, firstLine) {
  const labels = new Map();
  for (let s = 0; s < spans.length; s += 5) {
    const textLine = spans[s], label = spans[s + 3];
    let entry = labels.get(label);
    if (!entry) {
      entry = {name: lines[textLine].substr(spans[s + 1], spans[s + 2]), line: null, uses: []};
      labels.set(label, entry);
    }
    const line = textLine - firstLine;
    if (spans[s + 4]) {
      if (entry.line === null) entry.line = line;
    } else if (entry.uses[entry.uses.length - 1] !== line) {
      entry.uses.push(line);
    }
  }
  return labels;
}

if (typeof module !== 'undefined') module.exports = {labelsOfListing};
