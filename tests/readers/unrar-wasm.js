#!/usr/bin/env node
// Lists or extracts an archive with the official RAR library compiled to WebAssembly
// (node-unrar-js), reading the volumes from disk.
//   node unrar-wasm.js list ARCHIVE           prints "d|f <size> <name>" per entry
//   node unrar-wasm.js extract ARCHIVE DEST   writes the entries under DEST
// Exit status: 0 done, 1 the library reported an error (its reason is printed), 2 bad usage.
'use strict';
const path = require('path');
const unrar = require('node-unrar-js');

async function main(argv) {
  const [command, archive, dest] = argv;
  if (!archive || (command !== 'list' && command !== 'extract') ||
      (command === 'extract' && !dest)) {
    process.stderr.write('usage: unrar-wasm.js list ARCHIVE | extract ARCHIVE DEST\n');
    return 2;
  }
  const extractor = await unrar.createExtractorFromFile({
    filepath: path.resolve(archive),
    targetPath: command === 'extract' ? path.resolve(dest) : undefined,
  });
  if (command === 'list') {
    for (const header of extractor.getFileList().fileHeaders) {
      const kind = header.flags.directory ? 'd' : 'f';
      process.stdout.write(`${kind} ${header.unpSize} ${header.name}\n`);
    }
  } else {
    // The iterator extracts lazily: walking it to the end writes every file.
    for (const file of extractor.extract().files) {
      process.stdout.write(`${file.fileHeader.name}\n`);
    }
  }
  return 0;
}

main(process.argv.slice(2)).then(
  (code) => { process.exitCode = code; },
  (error) => {
    process.stderr.write(`unrar-wasm: ${error.reason || ''} ${error.message}` +
                         `${error.file ? ' (' + error.file + ')' : ''}\n`);
    process.exitCode = 1;
  });
