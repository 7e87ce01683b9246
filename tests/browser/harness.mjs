// What the browser tests share: arguments, a work folder of their own, checks that are
// counted and reported, runs of lumarc and ImageMagick, and the summary line
// "N passed, M failed" that ends every run (also after a stray rejection or a hang).

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

let passed = 0, failed = 0;

// LUMARC_EXE and WORK_DIR from the command line. The work folder is emptied: only when it
// is new, empty or one this test made before.
export function setUp(script) {
    const [lumarcExe, workArg] = process.argv.slice(2);
    if (!lumarcExe || !workArg) {
        console.error(`usage: node ${script} LUMARC_EXE WORK_DIR`);
        process.exit(2);
    }
    const work = path.resolve(workArg);
    const marker = path.join(work, `.lumarc-${path.basename(script, '.test.mjs')}-test`);
    if (fs.existsSync(work) && fs.readdirSync(work).length && !fs.existsSync(marker))
        throw new Error(`${work} holds files of its own; give a new or empty work folder`);
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(work, { recursive: true });
    fs.writeFileSync(marker, '');
    return { lumarcExe, work };
}

export async function check(name, fn) {
    try {
        await fn();
        passed++;
        console.log(`ok    ${name}`);
    } catch (e) {
        failed++;
        console.log(`FAIL  ${name}\n      ${String(e && e.stack || e).split('\n').slice(0, 4).join('\n      ')}`);
    }
}
export function assert(cond, message) { if (!cond) throw new Error(message); }
export function equal(actual, expected, what) {
    if (actual !== expected) throw new Error(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
}

export function run(exe, args, env) {
    try {
        return execFileSync(exe, args, { encoding: 'utf8', env: { ...process.env, ...env }, stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (e) {
        throw new Error(`${path.basename(exe)} ${args.join(' ')} failed (${e.status}):\n${e.stderr || e.message}`);
    }
}

// Runs main() and exits with the summary line: 1 on any failure.
export function finish(main) {
    const abort = (message) => {
        console.log(`FAIL  ${message}`);
        console.log(`${passed} passed, ${failed + 1} failed`);
        process.exit(1);
    };
    process.on('unhandledRejection', (e) => abort(`unhandled: ${e && e.stack || e}`));
    const watchdog = setTimeout(() => abort('the test did not finish within 150 s'), 150000);
    Promise.resolve().then(main).catch((e) => {
        failed++;
        console.log(`FAIL  setup: ${e && e.stack || e}`);
    }).finally(() => {
        clearTimeout(watchdog);
        console.log(`${passed} passed, ${failed} failed`);
        process.exit(failed ? 1 : 0);
    });
}
