'use strict';
// The page's module against the native program: for every image given
// (files, or directories of them), the directory, the warnings and every
// listing under each option set must be byte for byte what lorvex-disk
// prints. Usage:
//   node --no-experimental-fetch module_test.js SITE_DIR LORVEX_DISK IMAGE_OR_DIR...
const fs = require('fs');
const path = require('path');
const {spawnSync} = require('child_process');

const [siteDir, diskProgram, ...inputs] = process.argv.slice(2);
const lorvexDisk = path.resolve(diskProgram);
global.createLorvexModule = require(path.resolve(siteDir, 'lorvex-web.js'));
const {LorvexEngine} = require(path.resolve(siteDir, 'js/engine.js'));

// Option sets as lorvex-disk words; the page opens names as -u shows them,
// so every set carries -u.
const kOptionSets = [
  ['-u'],
  ['-u', '-n', '-l', '-s', '-z', '-Z'],
  ['-u', '-b', '-W', '8', '-S', '-T', '-w', '12'],
  ['-u', '-B', '-t', '-O', '-l'],
  ['-u', '--petscii-dec', '-s', '-O'],
];

function imagesOf(inputs) {
  const files = [];
  for (const input of inputs) {
    if (fs.statSync(input).isDirectory()) {
      for (const name of fs.readdirSync(input).sort()) {
        if (fs.statSync(path.join(input, name)).isFile()) files.push(path.join(input, name));
      }
    } else {
      files.push(input);
    }
  }
  return files;
}

// lorvex-disk run beside the image, so that it names the image as the page does.
function native(image, words) {
  const run = spawnSync(lorvexDisk, [...words, path.basename(image)],
                        {cwd: path.dirname(image), maxBuffer: 1 << 30});
  return {status: run.status, out: run.stdout, err: run.stderr.toString('utf8')};
}

const lines = (list) => list.map((line) => line + '\n').join('');

let failures = 0;
let checked = 0;
function expectEqual(what, image, actual, expected) {
  checked++;
  if (Buffer.compare(Buffer.from(actual), Buffer.from(expected)) === 0) return;
  failures++;
  const a = Buffer.from(actual), e = Buffer.from(expected);
  let at = 0;
  while (at < a.length && at < e.length && a[at] === e[at]) at++;
  console.error(`FAIL ${image}: ${what} differs at byte ${at} (page ${a.length}, program ${e.length} bytes)\n` +
                `  page:    ${JSON.stringify(a.subarray(at, at + 60).toString('utf8'))}\n` +
                `  program: ${JSON.stringify(e.subarray(at, at + 60).toString('utf8'))}`);
}

// Every span of one label covers the same name, and a definition starts
// its line (behind the -n number): offsets in the script's units are right.
function checkSpans(where, listing) {
  const lines = listing.text.split('\n');
  const names = new Map();
  const spans = listing.spans;
  for (let s = 0; s < spans.length; s += 5) {
    const [line, start, length, label, definition] = spans.subarray(s, s + 5);
    const name = lines[line].substr(start, length);
    if (!names.has(label)) names.set(label, name);
    checked++;
    if (name !== names.get(label) ||
        (definition && !/^( *[0-9]+: )?$/.test(lines[line].slice(0, start)))) {
      failures++;
      console.error(`FAIL ${where}: span ${s / 5} (line ${line}, ${start}+${length}) reads ` +
                    `${JSON.stringify(name)}, label ${label} read ${JSON.stringify(names.get(label))}`);
      return;
    }
  }
}

(async () => {
  const engine = await LorvexEngine.load();
  const images = imagesOf(inputs);
  for (const image of images) {
    const name = path.basename(image);
    const opened = engine.open(fs.readFileSync(image), name);
    const directory = native(image, ['-u']);
    if (opened.error) {
      expectEqual('error', image, opened.error + '\n', directory.err);
      expectEqual('status', image, '1', String(directory.status));
      continue;
    }
    const img = opened.image;
    expectEqual('directory', image, img.directory, directory.out);
    expectEqual('image warnings', image, lines(img.warnings), directory.err);
    for (const words of kOptionSets) {
      const printed = native(image, ['-p', ...words]);
      const parts = [];
      const warnings = [...img.warnings];
      img.entries.forEach((entry, i) => {
        if (!entry.variant) return;
        const listing = img.listing(i, words);
        checkSpans(image + ': ' + entry.name, listing);
        parts.push(Buffer.from(';; ' + name + ': ' + entry.name + '\n'), Buffer.from(listing.bytes));
        warnings.push(...listing.warnings);
      });
      expectEqual('listings ' + words.join(' '), image, Buffer.concat(parts), printed.out);
      expectEqual('warnings ' + words.join(' '), image, lines(warnings), printed.err);
    }
    img.close();
  }
  console.log(`${images.length} images, ${checked} comparisons, ${failures} failed`);
  process.exit(failures === 0 ? 0 : 1);
})();
