'use strict';
// A host file name as the page shows it: control characters as "?", never
// raw, the rule lorvex-disk prints names by.
function shownHostName(name) {
  return name.replace(/[\u0000-\u001f\u007f]/g, '?');
}
