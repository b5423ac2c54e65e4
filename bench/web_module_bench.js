'use strict';
// Times the page's module listing a source image under the page's start
// options (-u): the call into the module alone, without and with the label
// spans, and the whole call as the page makes it (text decoded, spans
// copied). Prints CPU milliseconds per call (the mean over the rounds, as
// the native benchmark gives them), the wall-clock median and the fastest
// call. Usage:
//   node --no-experimental-fetch web_module_bench.js SITE_DIR IMAGE [ROUNDS]
const fs = require('fs');
const path = require('path');

const [siteDir, imagePath, roundsText] = process.argv.slice(2);
const rounds = Number(roundsText || 101);
global.createLorvexModule = require(path.resolve(siteDir, 'lorvex-web.js'));
const {LorvexEngine} = require(path.resolve(siteDir, 'js/engine.js'));

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

// CPU and wall time per call of f over the rounds, after a few to warm up.
function timed(f) {
  for (let round = 0; round < 5; round++) f();
  const wall = [];
  const cpu = process.cpuUsage();
  for (let round = 0; round < rounds; round++) {
    const start = process.hrtime.bigint();
    f();
    wall.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  const used = process.cpuUsage(cpu);
  const fastest = Math.min(...wall);
  return `${((used.user + used.system) / 1000 / rounds).toFixed(3)} ms CPU, ` +
         `${median(wall).toFixed(3)} ms wall (fastest ${fastest.toFixed(3)})`;
}

(async () => {
  const engine = await LorvexEngine.load();
  const opened = engine.open(fs.readFileSync(imagePath), path.basename(imagePath));
  if (opened.error) throw new Error(opened.error);
  const image = opened.image;
  const m = engine.m;
  const words = engine.cString('-u');
  const plain = timed(() => m._lw_listing(image.handle, 0, words, 0));
  const spans = timed(() => m._lw_listing(image.handle, 0, words, 1));
  const page = timed(() => image.listing(0, ['-u']));
  console.log(`${path.basename(imagePath)} (${m._lw_listing_size(image.handle)} bytes of listing, ` +
              `${rounds} rounds): module ${plain}; with spans ${spans}; as the page calls it ${page}`);
})();
