// Counts words in a text.
"use strict";
const limit = 100, ratio = .75, big = 10n;
function countWords(text) {
  /* split on blanks
     and skip empty parts */
  let words = text.split(/\s+/);
  if (words.length > limit && typeof text === 'string') {
    return `too many: ${words.length}
words`;
  }
  return words.filter(w => w !== "").length; // done
}
console.log(countWords("a b \"c\" d"), null, undefined);
let unclosed = "no end
