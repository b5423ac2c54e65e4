'use strict';
// Times the page's module listing a source image under the page's start
// options (-u), labels and spans included: the call into the module alone,
// and the whole call as the page makes it (text decoded, labels parsed).
// Prints the medians in milliseconds. Usage:
//   node --no-experimental-fetch web_module_bench.js SITE_DIR IMAGE [ROUNDS]
const fs = require('fs');
const path = require('path');

const [siteDir, imagePath, roundsText] = process.argv.slice(2);
const rounds = Number(roundsText || 101);
global.createLorvexModule = require(path.resolve(siteDir, 'lorvex-web.js'));
const {LorvexEngine} = require(path.resolve(siteDir, 'js/engine.js'));

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

(async () => {
  const engine = await LorvexEngine.load();
  const opened = engine.open(fs.readFileSync(imagePath), path.basename(imagePath));
  if (opened.error) throw new Error(opened.error);
  const image = opened.image;
  const m = engine.m;
  const words = engine.cString('-u');
  const module = [];
  const page = [];
  for (let round = 0; round < rounds; round++) {
    let start = process.hrtime.bigint();
    m._lw_listing(image.handle, 0, words);
    module.push(Number(process.hrtime.bigint() - start) / 1e6);
    start = process.hrtime.bigint();
    image.listing(0, ['-u']);
    page.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  const bytes = m._lw_listing_size(image.handle);
  console.log(`${path.basename(imagePath)}: ${bytes} bytes of listing; module call ` +
              `${median(module).toFixed(3)} ms, with the page's decoding ${median(page).toFixed(3)} ms ` +
              `(medians of ${rounds})`);
})();
