// An X12 reader that is not this program's: node-x12 parses each file in
// strict mode (it checks the trailers' counts and control numbers) and
// prints what it read, one item a line, elements joined with "*" whatever
// the file's separator:
//   file PATH
//   error MESSAGE                          (the file was refused)
//   interchange ISA13 IEA01 IEA02 ISA11
//   group GS01 GS06 GE01 GE02
//   set ST01 ST02 SE01 SE02
//   segment TAG*E1*E2...                   (the set's segments, ST and SE left out)
// Usage: node node_x12_read.js NODE_MODULES_FOLDER FILE...
//        node node_x12_read.js NODE_MODULES_FOLDER --list LIST_FILE (one file a line)
const path = require('path');
const fs = require('fs');
const { X12Parser } = require(path.join(process.argv[2], 'node-x12'));

const values = (segment) => segment.elements.map((e) => e.value);
const files = process.argv[3] === '--list'
  ? fs.readFileSync(process.argv[4], 'utf8').split('\n').filter((f) => f.length > 0)
  : process.argv.slice(3);
const lines = [];
for (const file of files) {
  lines.push(`file ${file}`);
  try {
    const parsed = new X12Parser(true).parse(fs.readFileSync(file, 'latin1'));
    for (const i of parsed.interchanges ? parsed.interchanges : [parsed]) {
      const isa = values(i.header);
      const iea = values(i.trailer);
      lines.push(`interchange ${isa[12]} ${iea[0]} ${iea[1]} ${isa[10]}`);
      for (const g of i.functionalGroups) {
        const gs = values(g.header);
        const ge = values(g.trailer);
        lines.push(`group ${gs[0]} ${gs[5]} ${ge[0]} ${ge[1]}`);
        for (const t of g.transactions) {
          const st = values(t.header);
          const se = values(t.trailer);
          lines.push(`set ${st[0]} ${st[1]} ${se[0]} ${se[1]}`);
          for (const s of t.segments) lines.push(`segment ${[s.tag, ...values(s)].join('*')}`);
        }
      }
    }
  } catch (e) {
    lines.push(`error ${String(e && e.message ? e.message : e)}`);
  }
}
process.stdout.write(lines.join('\n') + '\n');
