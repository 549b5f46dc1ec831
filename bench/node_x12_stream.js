// The peer: node-x12's streaming parser over one file, counting the
// segments it emits (it only parses). Prints "seconds segments".
//   node node_x12_stream.js NODE_MODULES_FOLDER FILE
const path = require('path');
const fs = require('fs');
const { X12Parser } = require(path.join(process.argv[2], 'node-x12'));
const start = process.hrtime.bigint();
let segments = 0;
fs.createReadStream(process.argv[3])
  .pipe(new X12Parser(false))
  .on('data', () => { segments += 1; })
  .on('end', () => {
    const seconds = Number(process.hrtime.bigint() - start) / 1e9;
    console.log(`${seconds} ${segments}`);
  })
  .on('error', (e) => { console.error(String(e)); process.exit(1); });
