// Checks that two SGF collections hold the same games move for move, as @sabaki/sgf reads them:
// the same number of games and, for each game, the same main line of moves (passes written as
// B[] or B[tt] count alike). Exit status 0 when they match, 1 with the first difference otherwise.
//   node same_moves.js ORIGINAL CONVERTED
'use strict';
const fs = require('fs');
const sgf = require('@sabaki/sgf');

function size(root) {
  const sz = root.data.SZ ? parseInt(root.data.SZ[0], 10) : 19;
  return Number.isFinite(sz) ? sz : 19;
}

function mainLine(root) {
  const moves = [];
  const n = size(root);
  for (let node = root; node; node = node.children[0]) {
    for (const colour of ['B', 'W']) {
      if (!node.data[colour]) continue;
      let v = node.data[colour][0] || '';
      if (v === 'tt' && n <= 19) v = '';
      moves.push(colour + '[' + v + ']');
    }
  }
  return moves;
}

const [original, converted] = process.argv.slice(2).map((f) => sgf.parse(fs.readFileSync(f).toString('utf8')));
if (original.length !== converted.length) {
  console.error(`game count differs: ${original.length} vs ${converted.length}`);
  process.exit(1);
}
for (let i = 0; i < original.length; ++i) {
  const a = mainLine(original[i]);
  const b = mainLine(converted[i]);
  const same = a.length === b.length && a.every((m, k) => m === b[k]);
  if (!same) {
    let k = 0;
    while (k < a.length && a[k] === b[k]) ++k;
    console.error(`game ${i + 1}: moves differ at move ${k + 1}: ${a[k]} vs ${b[k]}`);
    process.exit(1);
  }
}
console.log(`${original.length} games, same moves`);
