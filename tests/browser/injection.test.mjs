// Browser test of a gallery built from hostile input, in headless Chromium.
//
//   node injection.test.mjs LUMARC_EXE WORK_DIR
//
// A project written from the documented file layout carries addresses, settings and a
// background name made to break out of their attributes and rules; photos with markup and
// "&" in their names are added to it. The built gallery is opened from disk; every thumbnail
// is clicked and the viewer stepped through. Any dialog, page error, console error or request
// outside the gallery folder fails the test. Prints "N passed, M failed" last.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [lumarcExe, workArg] = process.argv.slice(2);
if (!lumarcExe || !workArg) {
    console.error('usage: node injection.test.mjs LUMARC_EXE WORK_DIR');
    process.exit(2);
}
const work = path.resolve(workArg);
const convert = '/usr/bin/convert';

let passed = 0, failed = 0;
async function check(name, fn) {
    try {
        await fn();
        passed++;
        console.log(`ok    ${name}`);
    } catch (e) {
        failed++;
        console.log(`FAIL  ${name}\n      ${String(e && e.stack || e).split('\n').slice(0, 4).join('\n      ')}`);
    }
}
function assert(cond, message) { if (!cond) throw new Error(message); }

function run(exe, args) {
    const env = { ...process.env, LUMARC_DATA_FOLDER: path.join(work, 'data'), HOME: path.join(work, 'home') };
    try {
        return execFileSync(exe, args, { encoding: 'utf8', env, stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (e) {
        throw new Error(`${path.basename(exe)} ${args.join(' ')} failed (${e.status}):\n${e.stderr || e.message}`);
    }
}

// A project file (ZEB104) from its documented layout: signature, the settings record field by
// field, the image count and the image records; texts as a 16-bit length and their bytes.
function projectFile(settings, items) {
    const parts = [Buffer.from('ZEB104\0\0\0\0', 'latin1')];
    const i16 = (v) => { const b = Buffer.alloc(2); b.writeInt16LE(v); parts.push(b); };
    const i32 = (v) => { const b = Buffer.alloc(4); b.writeInt32LE(v); parts.push(b); };
    const str = (t) => { const b = Buffer.from(t, 'latin1'); i16(b.length); parts.push(b); };
    const s = (name, fallback) => (name in settings ? settings[name] : fallback);
    i32(4); i32(100);
    [['default_link_text', '3D'], ['page_font_family', 'Arial, Helvetica, sans-serif'], ['page_background_color', '#7F7F7F'],
        ['cell_width', '160'], ['cell_height', '120'], ['cell_border_width', '1'],
        ['cell_border_colors', '#aaaaaa #666666 #666666 #aaaaaa'], ['cell_background_color', '#7F7F7F'],
        ['thumb_width', '160'], ['thumb_height', '120'], ['', ''], ['', ''], ['thumb_border_color', '#FFFFFF'],
        ['thumb_border_width', '1'], ['title_font_name', 'Verdana'], ['title_font_size', '10'],
        ['title_font_weight', 'normal'], ['title_align', 'center'], ['title_color', '#FFFFFF'], ['photo_width', '750'],
        ['photo_height', '500'], ['spare_number', '25'], ['jpeg_quality', '90'], ['gallery_title', 'Hostile'],
        ['gallery_title_font_name', 'Verdana'], ['gallery_title_font_size', '26'], ['gallery_title_color', '#000080'],
        ['cell_spacing', '5'], ['cell_padding', '10'], ['destination_folder', ''], ['parent_page_title', 'Home'],
        ['parent_page_url', '']].forEach(([name, fallback]) => str(s(name, fallback)));
    i16(1);                                                  // keep_aspect_ratio
    str(''); str(s('page_background_image', '')); str(s('cell_background_image', ''));
    for (let i = 0; i < 17; i++) str('');
    i16(1); i16(1);                                          // add_parent_link, add_image_links
    parts.push(Buffer.alloc(16));
    i32(items.length);
    for (const it of items) {
        str(it.path); str(it.title); str(it.title); str(it.url); i16(0); i16(-1); str('3D'); str(it.output);
        for (let i = 0; i < 5; i++) str('');
    }
    return Buffer.concat(parts);
}

const evil = 'http://evil.test';
const photoNames = ['quote', 'script', 'escaped', 'dq', '<img src=x onerror=alert(7)>', 'rock&copy'];
const items = [
    { name: 'quote', title: 'Quote', url: `http://x/'><img src=x onerror=alert(1)>` },
    { name: 'script', title: 'Script', url: ` JaVa\tScript:alert(2)` },
    // Escaped by its author: the viewer must show it as text, not decode it into markup.
    { name: 'escaped', title: `&lt;img src=x onerror=alert(3)&gt;`, url: 'data:text/html,<script>alert(4)</script>' },
    { name: 'dq', title: 'Double', url: `http://x/" onmouseover="alert(5)" x="` },
];
const settings = {
    parent_page_url: `javascript:alert(6)`,
    title_align: `center><img src=x onerror=alert(8)`,
    cell_padding: `10"><img src=x onerror=alert(9)>`,
    gallery_title_color: `red"><img src=x onerror=alert(10)>`,
    title_font_name: `x;}body{background:url(${evil}/font.gif)}`,
    page_background_color: `red;background-image:url(${evil}/colour.gif)`,
    cell_width: `1px;background:url(${evil}/width.gif)`,
    cell_border_colors: `#111;}td{background:url(${evil}/border.gif)`,
};

function makeGallery() {
    const source = path.join(work, 'source');
    fs.mkdirSync(source, { recursive: true });
    fs.mkdirSync(path.join(work, 'home'), { recursive: true });
    const photo = (name) => path.join(source, `${name}.jpg`);
    for (const name of photoNames)
        run(convert, ['-size', '400x300', 'gradient:#f4a340-#5a1f6b', photo(name)]);
    // A name that ends the url('...') of the style sheet; "http:evil.test" is an absolute address.
    const background = path.join(source, `bg');}*{background:url(http:evil.test)}.gif`);
    run(convert, ['-size', '8x8', 'xc:#808080', background]);
    settings.page_background_image = background;

    const project = path.join(work, 'hostile.zeb');
    fs.writeFileSync(project, projectFile(settings,
        items.map((it) => ({ path: photo(it.name), title: it.title, url: it.url, output: it.name }))));
    // Added by file name: their titles are made by the program.
    run(lumarcExe, ['add', project, photo(photoNames[4]), photo(photoNames[5])]);
    const gallery = path.join(work, 'gallery');
    run(lumarcExe, ['build', project, '-o', gallery, '--yes', '--quiet']);
    return gallery;
}

async function main() {
    const marker = path.join(work, '.lumarc-injection-test');
    if (fs.existsSync(work) && fs.readdirSync(work).length && !fs.existsSync(marker))
        throw new Error(`${work} holds files of its own; give a new or empty work folder`);
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(work, { recursive: true });
    fs.writeFileSync(marker, '');
    const gallery = makeGallery();
    const inside = pathToFileURL(gallery).href + '/';

    const problems = [];
    const profile = path.join(work, 'profile');
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium', headless: true, viewport: { width: 1280, height: 800 },
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync'] });
    // Nothing leaves the machine: web requests are refused here and reported below.
    await context.route(/^(https?|wss?):/, (route) => route.abort());
    const page = await context.newPage();
    page.on('request', (r) => { if (!r.url().startsWith(inside)) problems.push(`request outside the gallery: ${r.url()}`); });
    page.on('dialog', (d) => { problems.push(`dialog ${d.type()}: ${d.message()}`); d.dismiss().catch(() => {}); });
    page.on('console', (m) => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));

    const shown = (output) => page.waitForFunction((n) => {
        const img = document.getElementById('lbx-image');
        return img && decodeURIComponent(img.getAttribute('src') || '').endsWith(`photos/${n}.jpg`) && img.complete
            && img.naturalWidth > 0 && document.getElementById('lbx-panel').className === '';
    }, output, { timeout: 10000 });
    const caption = () => page.evaluate(() => document.getElementById('lbx-caption').textContent);
    const order = [...items.map((it) => it.name), photoNames[4], photoNames[5]];

    await check('every thumbnail opens its photo and the viewer steps through all of them', async () => {
        await page.goto(`${inside}index.html`, { waitUntil: 'load' });
        const thumbs = page.locator("a[rel^='lightbox']");
        assert(await thumbs.count() === order.length, `${await thumbs.count()} viewer links`);
        for (let i = 0; i < order.length; i++) {
            await thumbs.nth(i).click();
            await shown(order[i]);
            await page.keyboard.press('Escape');
        }
        await thumbs.nth(0).click();
        for (let i = 1; i < order.length; i++) {
            await page.keyboard.press('ArrowRight');
            await shown(order[i]);
        }
        await page.keyboard.press('Escape');
        await page.waitForTimeout(300);   // late error handlers
    });

    await check('text that looks like markup stays text in captions', async () => {
        const thumbs = page.locator("a[rel^='lightbox']");
        await thumbs.nth(2).click();
        await shown('escaped');
        const text = await caption();
        assert(text === '<img src=x onerror=alert(3)>', `caption ${JSON.stringify(text)}`);
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('ArrowRight');
        await shown(photoNames[4]);
        assert(await caption() === photoNames[4], `caption ${JSON.stringify(await caption())}`);
        assert(await page.locator('#lbx-caption img, #tblThumbsLayout font img').count() === 0, 'an injected image');
        await page.keyboard.press('Escape');
    });

    await check('no script link is published and typed addresses keep their text', async () => {
        const hrefs = await page.evaluate(() => [...document.querySelectorAll('a')].map((a) => a.getAttribute('href')));
        assert(!hrefs.some((h) => /^\W*(javascript|vbscript|data):/i.test(h)), `script links: ${hrefs.join(' | ')}`);
        assert(hrefs.includes(items[0].url) && hrefs.includes(items[3].url), `addresses changed: ${hrefs.join(' | ')}`);
        assert(await page.locator('#linkParent').count() === 0, 'the parent link with a script address');
    });

    await check('no dialog, page error, console error or request outside the gallery', async () => {
        assert(problems.length === 0, problems.join('\n'));
    });
    await context.close();
}

function abort(message) {
    console.log(`FAIL  ${message}`);
    console.log(`${passed} passed, ${failed + 1} failed`);
    process.exit(1);
}
process.on('unhandledRejection', (e) => abort(`unhandled: ${e && e.stack || e}`));
const watchdog = setTimeout(() => abort('the test did not finish within 150 s'), 150000);

main().catch((e) => {
    failed++;
    console.log(`FAIL  setup: ${e && e.stack || e}`);
}).finally(() => {
    clearTimeout(watchdog);
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
});
