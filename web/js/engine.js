'use strict';
// The decoding module seen from the page (and from the node test): images
// opened from their bytes, their directory, and each source's listing with
// its labels and warnings, all computed by the library the programs use.
// Every text comes back exactly as lorvex-disk prints it.
class LorvexEngine {
  constructor(module) {
    this.m = module;
    this.decoder = new TextDecoder();
    this.encoder = new TextEncoder();
  }

  // Resolves to an engine once the module has compiled.
  static async load(options) {
    const module = await createLorvexModule(options || {});
    return new LorvexEngine(module);
  }

  text(pointer, size) {
    if (!pointer) return '';
    const heap = this.m.HEAPU8;
    if (size === undefined) {
      size = 0;
      while (heap[pointer + size] !== 0) size++;
    }
    return this.decoder.decode(heap.subarray(pointer, pointer + size));
  }

  // Copies bytes into the module's memory; the caller frees the pointer.
  copyIn(bytes) {
    const pointer = this.m._malloc(Math.max(bytes.length, 1));
    this.m.HEAPU8.set(bytes, pointer);
    return pointer;
  }

  cString(text) {
    const bytes = this.encoder.encode(text);
    const withEnd = new Uint8Array(bytes.length + 1);
    withEnd.set(bytes);
    return this.copyIn(withEnd);
  }

  // Opens an image from its bytes under the host file name it came with.
  // Returns {image} or {error} with the sentence lorvex-disk would print.
  open(bytes, fileName) {
    const data = this.copyIn(bytes);
    const name = this.cString(fileName);
    const handle = this.m._lw_open(data, bytes.length, name);
    this.m._free(data);
    this.m._free(name);
    if (handle < 0) return {error: this.text(this.m._lw_error())};
    return {image: new LorvexImage(this, handle)};
  }
}

// One opened image. Entries: [{name, hostName, type, blocks, closed, locked,
// variant (null when not a source image)}] in directory order.
class LorvexImage {
  constructor(engine, handle) {
    this.engine = engine;
    this.handle = handle;
    const m = engine.m;
    this.directory = engine.text(m._lw_directory(handle));
    this.entries = JSON.parse(engine.text(m._lw_entries(handle)));
    const warnings = engine.text(m._lw_image_warnings(handle));
    this.warnings = warnings ? warnings.replace(/\n$/, '').split('\n') : [];
  }

  close() {
    this.engine.m._lw_close(this.handle);
  }

  // The listing of entry i under lorvex's listing and report options, given
  // as command-line words of lorvex-disk (['-u', '-W', '8']). Returns
  // {text, bytes, firstLine, sourceLines, warnings, spans}, or {error} for
  // words lorvex-disk would refuse. bytes: the listing as lorvex-disk -p
  // writes it; firstLine: the text line that holds source line 0, followed
  // by sourceLines lines of the source (none with -O); spans (only when
  // withSpans is not false): an Int32Array of (text line, start, length,
  // label, definition) fives, one for each label name in the source part
  // of the text, start and length in UTF-16 units of that text line.
  listing(i, words, withSpans) {
    const e = this.engine, m = e.m;
    const args = e.cString(words.join('\n'));
    const pointer = m._lw_listing(this.handle, i, args, withSpans === false ? 0 : 1);
    m._free(args);
    if (!pointer) return {error: e.text(m._lw_error())};
    const bytes = m.HEAPU8.slice(pointer, pointer + m._lw_listing_size(this.handle));
    const warnings = e.text(m._lw_warnings(this.handle));
    const count = m._lw_span_count(this.handle);
    const at = m._lw_spans(this.handle) >> 2;
    return {
      text: e.decoder.decode(bytes),
      bytes,
      firstLine: m._lw_listing_first_line(this.handle),
      sourceLines: m._lw_listing_lines(this.handle),
      warnings: warnings ? warnings.replace(/\n$/, '').split('\n') : [],
      spans: m.HEAP32.slice(at, at + count * 5),
    };
  }

  // The bytes of entry i as read from the image, load address included.
  raw(i) {
    const m = this.engine.m;
    const pointer = m._lw_raw(this.handle, i);
    return m.HEAPU8.slice(pointer, pointer + m._lw_raw_size(this.handle, i));
  }
}

if (typeof module !== 'undefined') module.exports = {LorvexEngine, LorvexImage};
