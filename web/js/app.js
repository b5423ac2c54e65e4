'use strict';
// The page: opening images (picker or drop), the chosen image's directory,
// the chosen source's listing under the option controls, the place in the
// URL fragment (#image=I&file=F&line=L, so Back and Forward work), find,
// label uses, and the downloads. Everything runs here; nothing is sent.
(function () {
  const $ = (id) => document.getElementById(id);
  const page = {
    images: [],   // [{name (as shown), image (LorvexImage)}]
    shown: -1,    // image whose directory is shown
    place: null,  // {image, file, line} of the listing shown
    words: null,  // the option words the shown listing was made with
    listing: null,
    matches: [],
    match: -1,
    times: {},    // milliseconds, for the benchmark: drop to directory, choice to listing
  };
  window.lorvexPage = page;

  let engine = null;
  // On a narrow screen the listing lies below the directory: bring it up.
  const narrow = matchMedia('(max-width: 800px)');
  const directory = new DirectoryView($('directory'), (file) => {
    go(page.shown, file, null);
    if (narrow.matches && !$('viewer').hidden) $('viewer').scrollIntoView();
  });
  const view = new ListingView($('scroller'), $('gutter'), $('listing'), $('marker'));

  function message(text, kind) {
    const p = document.createElement('p');
    p.className = kind || 'note';
    p.textContent = text;
    $('messages').appendChild(p);
  }

  function listLines(list, lines) {
    list.textContent = '';
    for (const text of lines) list.appendChild(document.createElement('li')).textContent = text;
  }

  function hrefOf(image, file, line) {
    return '#image=' + image + (file === null ? '' : '&file=' + file) +
           (line === null ? '' : '&line=' + line);
  }

  function go(image, file, line) {
    const href = hrefOf(image, file, line);
    if (location.hash === href) placeChanged(); else location.hash = href;
  }

  function parsePlace() {
    const fields = new URLSearchParams(location.hash.slice(1));
    const number = (key) => {
      const value = fields.get(key);
      return value !== null && /^[0-9]+$/.test(value) ? Number(value) : null;
    };
    return {image: number('image'), file: number('file'), line: number('line')};
  }

  function optionWords() {
    const words = [];
    for (const input of document.querySelectorAll('#options [data-word]')) {
      if (input.checked) words.push(input.dataset.word);
    }
    for (const select of document.querySelectorAll('#options [data-choice]')) {
      if (select.value) words.push(select.value);
    }
    for (const input of document.querySelectorAll('#options [data-value]')) {
      if (input.value !== '' && input.validity.valid) words.push(input.dataset.value, input.value);
    }
    return words;
  }
  page.optionWords = optionWords;

  async function openFiles(files) {
    const started = page.dropTime !== undefined ? page.dropTime : performance.now();
    page.dropTime = undefined;
    $('messages').textContent = '';
    if (!engine) await page.ready;
    if (!engine) return;
    const max = engine.m._lw_max_image_size();
    let first = -1;
    for (const file of files) {
      const name = shownHostName(file.name);
      if (file.size > max) {
        message(name + ': larger than ' + max +
                ' bytes, more than any disk or source image; not opened', 'error');
        continue;
      }
      let bytes;
      try {
        bytes = new Uint8Array(await file.arrayBuffer());
      } catch (e) {
        message(name + ': cannot be read', 'error');
        continue;
      }
      const opened = engine.open(bytes, name);
      if (opened.error) {
        message(opened.error, 'error');
        continue;
      }
      page.images.push({name, image: opened.image});
      if (first < 0) first = page.images.length - 1;
    }
    listImages();
    if (first >= 0) {
      showImage(first);
      afterLayout(() => (page.times.directory = performance.now() - started));
      go(first, null, null);
    }
  }

  // Calls back once what was just put in the page is laid out.
  function afterLayout(callback) {
    void document.body.offsetHeight;
    requestAnimationFrame(() => callback());
  }

  function listImages() {
    const list = $('images');
    list.textContent = '';
    page.images.forEach((entry, i) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = entry.name;
      button.setAttribute('aria-pressed', String(i === page.shown));
      button.addEventListener('click', () => go(i, null, null));
      list.appendChild(document.createElement('li')).appendChild(button);
    });
  }

  function showImage(i) {
    page.shown = i;
    const image = page.images[i].image;
    directory.show(image);
    $('directory').hidden = false;
    listLines($('image-warnings'), image.warnings);
    listImages();
  }

  // Shows what the fragment names; called on every change of it.
  function placeChanged() {
    const place = parsePlace();
    if (place.image === null || !page.images[place.image]) return;
    if (place.image !== page.shown) showImage(place.image);
    const image = page.images[place.image].image;
    const entry = image.entries[place.file];
    if (!entry) {
      $('viewer').hidden = true;
      page.place = null;
      return;
    }
    directory.mark(place.file, false);
    const words = optionWords();
    const same = page.place && page.place.image === place.image && page.place.file === place.file &&
                 page.words && page.words.join('\n') === words.join('\n');
    if (!same) showListing(place, words);
    page.place = place;
    if (place.line !== null && page.listing) view.showTextLine(view.textLine(place.line));
  }

  function showListing(place, words) {
    const started = performance.now();
    const image = page.images[place.image].image;
    const entry = image.entries[place.file];
    $('viewer').hidden = false;
    $('title').textContent = entry.name;
    $('save-listing').disabled = !entry.variant;
    $('uses').hidden = true;
    page.words = words;
    const warnings = $('warnings');
    listLines(warnings, []);
    if (!entry.variant) {
      page.listing = null;
      view.show({text: '', firstLine: 0, sourceLines: 0, spans: []}, () => '#');
      listLines(warnings, ['not a source image: only its raw bytes can be saved']);
      return;
    }
    const listing = image.listing(place.file, words);
    if (listing.error) {
      page.listing = null;
      message(listing.error, 'error');
      return;
    }
    page.listing = listing;
    view.show(listing, (line) => hrefOf(place.image, place.file, line));
    listLines(warnings, listing.warnings);
    findChanged();
    afterLayout(() => (page.times.listing = performance.now() - started));
  }

  function showUses(label) {
    const listing = page.listing;
    const place = page.place;
    const entry = view.labels.get(label);
    if (!listing || !entry) return;
    $('uses').hidden = false;
    $('uses-title').textContent = entry.name + ': ' +
        (entry.uses.length === 0 ? 'not used'
         : entry.uses.length === 1 ? 'used once' : 'used ' + entry.uses.length + ' times');
    const list = $('uses-list');
    list.textContent = '';
    const lines = listing.text.split('\n', view.count);
    for (const line of entry.uses) {
      const a = document.createElement('a');
      a.href = hrefOf(place.image, place.file, line);
      const text = lines[view.textLine(line)] || '';
      const shown = view.numbered ? text.slice(text.indexOf(': ') + 2) : text;
      a.textContent = line + ': ' + shown.trim();
      list.appendChild(document.createElement('li')).appendChild(a);
    }
  }

  function findChanged() {
    page.matches = view.find($('find-text').value);
    page.match = -1;
    $('find-count').textContent = $('find-text').value ? page.matches.length + ' found' : '';
  }

  function findStep(step) {
    if (page.matches.length === 0) return;
    page.match = (page.match + step + page.matches.length) % page.matches.length;
    $('find-count').textContent = page.match + 1 + ' of ' + page.matches.length;
    view.select(page.matches[page.match], $('find-text').value.length);
  }

  function save(name, bytes, type) {
    const url = URL.createObjectURL(new Blob([bytes], {type}));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function zipName(imageName) {
    const stem = imageName.replace(/\.[^.]*$/, '').replace(/[^A-Za-z0-9._+-]/g, '_');
    return (stem || 'listings') + '.zip';
  }

  // Every listing of the image under the current options, as lorvex-disk -x
  // names them.
  page.zipOf = (i) => {
    const image = page.images[i].image;
    const members = [];
    image.entries.forEach((entry, file) => {
      if (!entry.variant) return;
      const listing = image.listing(file, optionWords(), false);
      members.push({name: entry.hostName + '.asm', bytes: listing.bytes});
    });
    return storedZip(members);
  };

  $('save-listing').addEventListener('click', () => {
    const entry = page.images[page.place.image].image.entries[page.place.file];
    if (page.listing) save(entry.hostName + '.asm', page.listing.bytes, 'text/plain');
  });
  $('save-zip').addEventListener('click', () => {
    const i = page.place.image;
    save(zipName(page.images[i].name), page.zipOf(i), 'application/zip');
  });
  $('save-raw').addEventListener('click', () => {
    const image = page.images[page.place.image].image;
    const file = page.place.file;
    save(image.entries[file].rawName, image.raw(file), 'application/octet-stream');
  });

  $('find-text').addEventListener('input', findChanged);
  $('find').addEventListener('submit', (event) => {
    event.preventDefault();
    findStep(1);
  });
  $('find-previous').addEventListener('click', () => findStep(-1));
  $('options').addEventListener('change', () => {
    if (page.place) placeChanged();
  });
  $('options-form').addEventListener('submit', (event) => event.preventDefault());
  // The form's fields hold their defaults only after the reset event.
  $('options-form').addEventListener('reset', () => setTimeout(() => {
    if (page.place) placeChanged();
  }));
  $('listing').addEventListener('click', (event) => {
    const link = event.target.closest('a[data-label]');
    if (link) showUses(Number(link.dataset.label));
  });
  window.addEventListener('hashchange', placeChanged);

  $('picker').addEventListener('change', (event) => {
    openFiles(Array.from(event.target.files));
    event.target.value = '';
  });
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    page.dropTime = event.timeStamp;
    openFiles(Array.from(event.dataTransfer.files));
  });

  page.ready = LorvexEngine.load().then((loaded) => {
    engine = loaded;
    document.body.dataset.ready = 'true';
    return loaded;
  }, (e) => {
    message('the decoder could not be started: ' + e, 'error');
  });
})();
