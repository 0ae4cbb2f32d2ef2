// Parses SGF collections with @sabaki/sgf from bytes in memory (UTF-8 decoding included; its
// optional encoding detection is left out, it would dominate the time), and prints one JSON line: games, nodes, bytes, best seconds per pass.
//   node parse_bench.js [--passes N] FILE...
'use strict';
const fs = require('fs');
const sgf = require('@sabaki/sgf');

const args = process.argv.slice(2);
let passes = 3;
if (args[0] === '--passes') {
  passes = Number(args[1]);
  args.splice(0, 2);
}
const buffers = args.map((f) => fs.readFileSync(f));
const bytes = buffers.reduce((n, b) => n + b.length, 0);

function countNodes(roots) {
  let nodes = 0;
  const stack = [...roots];
  while (stack.length) {
    const node = stack.pop();
    ++nodes;
    for (const child of node.children) stack.push(child);
  }
  return nodes;
}

let best = Infinity;
let games = 0;
let nodes = 0;
for (let pass = 0; pass < passes; ++pass) {
  const start = process.hrtime.bigint();
  games = 0;
  nodes = 0;
  for (const buffer of buffers) {
    const roots = sgf.parse(buffer.toString('utf8'));
    games += roots.length;
    nodes += countNodes(roots);
  }
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  best = Math.min(best, seconds);
}
console.log(JSON.stringify({games, nodes, bytes, seconds: best}));
