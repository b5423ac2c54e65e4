'use strict';
// A host file name as the page shows it, by lorvex-disk's rule for host
// names: every control character (U+0000-U+001F, U+007F-U+009F) and every
// lone surrogate (which is no UTF-8) as "?", the rest as it is.
const kNotShown = new RegExp('[\\u0000-\\u001f\\u007f-\\u009f]|' +
                            '[\\ud800-\\udbff](?![\\udc00-\\udfff])|' +
                            '(?<![\\ud800-\\udbff])[\\udc00-\\udfff]', 'g');

function shownHostName(name) {
  return name.replace(kNotShown, '?');
}
