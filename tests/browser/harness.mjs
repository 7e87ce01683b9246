// What the browser tests share: arguments, a work folder of their own, checks that are
// counted and reported, runs of lumarc and ImageMagick, image lists, a watched Chromium, the
// viewer's "photo shown" wait, and the summary line "N passed, M failed" that ends every run
// (also after a stray rejection or a hang).

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';

let passed = 0, failed = 0, lumarcExe, work;
export const convert = '/usr/bin/convert';   // ImageMagick itself; /usr/local/bin may hold a stand-in

// LUMARC_EXE and WORK_DIR from the command line. The work folder is emptied: only when it
// is new, empty or one this test made before.
export function setUp(script) {
    let workArg;
    [lumarcExe, workArg] = process.argv.slice(2);
    if (!lumarcExe || !workArg) {
        console.error(`usage: node ${script} LUMARC_EXE WORK_DIR`);
        process.exit(2);
    }
    work = path.resolve(workArg);
    const marker = path.join(work, `.lumarc-${path.basename(script, '.test.mjs')}-test`);
    if (fs.existsSync(work) && fs.readdirSync(work).length && !fs.existsSync(marker))
        throw new Error(`${work} holds files of its own; give a new or empty work folder`);
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(work, { recursive: true });
    fs.writeFileSync(marker, '');
    fs.mkdirSync(path.join(work, 'home'));
    return work;
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

// lumarc with the test's own data folder and home.
export function lumarc(...args) {
    return run(lumarcExe, args, { LUMARC_DATA_FOLDER: path.join(work, 'data'), HOME: path.join(work, 'home') });
}

// An image list for `lumarc import`: CR LF lines, every link opening a new window.
export function writeList(file, entries) {
    fs.writeFileSync(file, entries.map(({ photo, title, url }) => ['{', `path=${photo}`, `title=${title}`, 'tooltip=',
        `url=${url}`, 'url_text=3D', 'open=blank', '}', ''].join('\r\n')).join('\r\n'));
}

// A fresh profile each time; everything that should never happen on a gallery page ends up in
// `problems`, any console message included.
export async function openBrowser(name, options, problems) {
    const profile = path.join(work, `profile-${name}`);
    fs.rmSync(profile, { recursive: true, force: true });
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium', headless: true, args: ['--headless', '--no-sandbox', '--disable-gpu',
            '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update',
            '--disable-sync'], ...options });
    const page = await context.newPage();
    page.on('console', (m) => problems.push(`console ${m.type()}: ${m.text()}`));
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('dialog', (d) => { problems.push(`dialog ${d.type()}: ${d.message()}`); d.dismiss().catch(() => {}); });
    page.on('response', (r) => { if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) problems.push(`HTTP ${r.status()}: ${r.url()}`); });
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()} ${r.failure() && r.failure().errorText}`));
    return { context, page };
}

export const thumbs = (page) => page.locator("a[rel^='lightbox']");

// Waits until the viewer shows the photo of thumbnail i of the page, or the photo named i
// (of any page), fully loaded.
export function shown(page, i) {
    return page.waitForFunction((i) => {
        const img = document.getElementById('lbx-image');
        const wanted = typeof i === 'string' ? new URL(`photos/${encodeURIComponent(i)}.jpg`, document.baseURI).href
            : document.querySelectorAll("a[rel^='lightbox']")[i].href;
        return img && img.src === wanted && img.complete && img.naturalWidth > 0
            && document.getElementById('lbx-panel').className === '';
    }, i, { timeout: 10000 });
}

// Runs main() and exits with the summary line: 1 on any failure.
export function finish(main) {
    const abort = (message) => {
        console.log(`FAIL  ${message}`);
        console.log(`${passed} passed, ${failed + 1} failed`);
        process.exit(1);
    };
    process.on('unhandledRejection', (e) => abort(`unhandled: ${e && e.stack || e}`));
    const watchdog = setTimeout(() => abort('the test did not finish within 240 s'), 240000);
    Promise.resolve().then(main).catch((e) => {
        failed++;
        console.log(`FAIL  setup: ${e && e.stack || e}`);
    }).finally(() => {
        clearTimeout(watchdog);
        console.log(`${passed} passed, ${failed} failed`);
        process.exit(failed ? 1 : 0);
    });
}
