'use strict';
// Which stretches of a listing line the page colours, and how label links
// go in: lines of each shape with the stretches expected, as data.
// Usage: node colour_test.js
const path = require('path');
const {lineStretches, colouredLine} = require(path.join(__dirname, '../../web/js/colour.js'));

// [line, from, [[text, kind]...]]
const kStretches = [
  [';hello - prints a greeting', 0, [[';hello - prints a greeting', 'comment']]],
  ['chrout   = $ffd2        ;kernal', 0,
   [['chrout', 'label'], ['=', 'pseudo'], ['$ffd2', 'number'], [';kernal', 'comment']]],
  ['         *= $c000', 0, [['*=', 'pseudo'], ['$c000', 'number']]],
  ['loop     lda message,x  ;next', 0,
   [['loop', 'label'], ['lda', 'mnemonic'], [';next', 'comment']]],
  ['         lda #%0101', 0, [['lda', 'mnemonic'], ['%0101', 'number']]],
  ['         cpx #16', 0, [['cpx', 'mnemonic'], ['16', 'number']]],
  ['         .text "a;b {return}" ;c', 0,
   [['.text', 'pseudo'], ['"a;b {return}"', 'string'], [';c', 'comment']]],
  ['         #setcol 1', 0, [['#setcol', 'pseudo'], ['1', 'number']]],
  ['         .byte $0d,0,label2', 0,
   [['.byte', 'pseudo'], ['$0d', 'number'], ['0', 'number']]],
  ['   7:          rts', 6, [['rts', 'mnemonic']]],
  ['done', 0, [['done', 'label']]],
  ['', 0, []],
];

// [line, uses, html]
const kLinks = [
  ['         sta border     ;black border', [[13, 6, 4, 0]],
   '         <span class="k-mn">sta</span> <a 4>border</a>     <span class="k-cmt">;black border</span>'],
  ['border   = $d020', [[0, 6, 4, 1]],
   '<span class="k-lab"><a 4 def>border</a></span>   <span class="k-ps">=</span> ' +
   '<span class="k-num">$d020</span>'],
  ['         lda #<a&b', [[15, 1, 2, 0], [17, 1, 3, 0]],
   '         <span class="k-mn">lda</span> #&lt;<a 2>a</a>&amp;<a 3>b</a>'],
];

let failures = 0;
for (const [line, from, expected] of kStretches) {
  const got = lineStretches(line, from).map(([start, end, kind]) => [line.slice(start, end), kind]);
  if (JSON.stringify(got) !== JSON.stringify(expected)) {
    failures++;
    console.error(`FAIL ${JSON.stringify(line)}: ${JSON.stringify(got)}`);
  }
}
const linkFor = (label, text, definition) => `<a ${label}${definition ? ' def' : ''}>${text}</a>`;
for (const [line, uses, expected] of kLinks) {
  const got = colouredLine(line, 0, uses, linkFor);
  if (got !== expected) {
    failures++;
    console.error(`FAIL ${JSON.stringify(line)}:\n  got      ${got}\n  expected ${expected}`);
  }
}
console.log(`${kStretches.length + kLinks.length} lines, ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
