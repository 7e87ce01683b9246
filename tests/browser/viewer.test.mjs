// Browser test of the gallery viewer (lightbox.js) in headless Chromium.
//
//   node viewer.test.mjs LUMARC_EXE WORK_DIR
//
// Makes a few photos, builds galleries from them with `lumarc build`, serves them on
// 127.0.0.1 and drives the viewer with the mouse, the keyboard and touch, on a desktop
// window and on a phone-sized one. With LUMARC_VIEWER_GALLERY=handmade the pages are
// written here instead, with the viewer files from resources/viewer (handy while working
// on the viewer without rebuilding lumarc). Prints "N passed, M failed" last; exits 1 on
// any failure.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, '../..');
const [lumarcExe, workArg] = process.argv.slice(2);
if (!lumarcExe || !workArg) {
    console.error('usage: node viewer.test.mjs LUMARC_EXE WORK_DIR');
    process.exit(2);
}
const work = path.resolve(workArg);
const handmade = process.env.LUMARC_VIEWER_GALLERY === 'handmade';
const screenshotPath = process.env.LUMARC_VIEWER_SCREENSHOT || '/tmp/lumarc-viewer.png';
const convert = '/usr/bin/convert';   // ImageMagick itself; /usr/local/bin may hold a stand-in
const font = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf';
const chromiumArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// The external link of the captions; the browser context answers it itself, so the test
// never leaves the machine.
const externalUrl = 'http://lumarc-link.test/3d';

// name, size, gradient; one portrait, one smaller than any window, one very wide.
const photos = [
    ['Sunset', '1600x1000', '#f4a340-#5a1f6b'],
    ['Forest', '1200x900', '#9bd17a-#1d4d2b'],
    ['Tower', '700x1400', '#bfe3ff-#20406a'],
    ['Pebble', '320x240', '#d8d2c4-#6b6356'],
    ['Harbour', '2400x800', '#89c4e1-#113355'],
];

// ---------------------------------------------------------------------------------------
// A small runner: each check runs in order, a failure is reported and the run goes on.

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
function equal(actual, expected, what) {
    if (actual !== expected) throw new Error(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
}

// ---------------------------------------------------------------------------------------
// Inputs and galleries

function run(exe, args, env) {
    try {
        return execFileSync(exe, args, { encoding: 'utf8', env: { ...process.env, ...env }, stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (e) {
        throw new Error(`${path.basename(exe)} ${args.join(' ')} failed (${e.status}):\n${e.stderr || e.message}`);
    }
}

function makePhotos(folder) {
    fs.mkdirSync(folder, { recursive: true });
    return photos.map(([name, size, colours]) => {
        const file = path.join(folder, `${name}.jpg`);
        // A gradient with a frame and a label, so that a screenshot shows what is cut off.
        const [w, h] = size.split('x').map(Number);
        const label = fs.existsSync(font) ? ['-font', font, '-fill', 'white', '-pointsize', '48', '-gravity', 'center',
            '-annotate', '+0+0', name] : [];
        run(convert, ['-size', size, `gradient:${colours}`, '-fill', 'none', '-stroke', 'white', '-strokewidth', '6',
            '-draw', `rectangle 3,3 ${w - 4},${h - 4}`, '-stroke', 'none', ...label, '-quality', '85', file]);
        return file;
    });
}

// The texts of the linked gallery: a caption link and a title with double quotes.
const linked = photos.map(([name], i) => ({
    name,
    title: i === 2 ? `${name} "Old"` : name,
    url: i === 3 ? '' : externalUrl,
    linkText: '3D',
}));

async function lumarcGalleries(sources) {
    const env = { LUMARC_DATA_FOLDER: path.join(work, 'data'), HOME: path.join(work, 'home') };
    fs.mkdirSync(env.HOME, { recursive: true });
    const plain = path.join(work, 'plain');
    run(lumarcExe, ['build', ...sources, '-o', plain, '--yes', '--quiet'], env);

    const list = linked.map((item, i) => ['{', `path=${sources[i]}`, `title=${item.title}`, 'tooltip=',
        `url=${item.url}`, `url_text=${item.linkText}`, 'open=blank', '}', ''].join('\r\n')).join('\r\n');
    fs.writeFileSync(path.join(work, 'list.txt'), list);
    const project = path.join(work, 'linked.zeb');
    run(lumarcExe, ['import', path.join(work, 'list.txt'), project], env);
    run(lumarcExe, ['set', project, 'add_image_links=1'], env);
    const withLinks = path.join(work, 'linked');
    run(lumarcExe, ['build', project, '-o', withLinks, '--yes', '--quiet'], env);
    return { plain, withLinks };
}

// Writes a gallery in the page format that lumarc writes, with the viewer files of this
// source tree: the viewer can be tried without building lumarc.
function handmadeGallery(folder, sources, items) {
    const viewer = path.join(repo, 'resources/viewer');
    for (const sub of ['images', 'library', 'photos', 'thumbs']) fs.mkdirSync(path.join(folder, sub), { recursive: true });
    fs.copyFileSync('/usr/share/javascript/prototype/prototype.js', path.join(folder, 'prototype.js'));
    for (const f of ['scriptaculous.js', 'effects.js', 'builder.js'])
        fs.copyFileSync(path.join('/usr/share/javascript/scriptaculous', f), path.join(folder, f));
    for (const f of ['lightbox.js', 'lightbox.css']) fs.copyFileSync(path.join(viewer, f), path.join(folder, f));
    for (const f of fs.readdirSync(path.join(viewer, 'images')))
        fs.copyFileSync(path.join(viewer, 'images', f), path.join(folder, 'images', f));
    fs.writeFileSync(path.join(folder, 'library/zebstyle.css'),
        'body{background-color:#7F7F7F;}\r\n#divZEB {text-align:center; font: 11px Verdana,Arial, Helvetica, sans-serif;}\r\n');
    const cells = items.map((item, i) => {
        run(convert, [sources[i], '-resize', '800x800>', path.join(folder, 'photos', `${item.name}.jpg`)]);
        run(convert, [sources[i], '-thumbnail', '160x120', path.join(folder, 'thumbs', `${item.name}.jpg`)]);
        const link = item.url ? ` <a class='linkDevalVr' href='${item.url}' target='_blank'>${item.linkText}</a>` : '';
        const attr = (item.title + link).replace(/"/g, '&quot;');
        return [`<!--- Image:${item.title} --->`, `<td class='tdImg'>`,
            `<a href='photos/${item.name}.jpg' rel='lightbox[id0]' title="${attr}">`,
            `<img class='eImage' alt="${item.title.replace(/"/g, '&quot;')}" title="" src="thumbs/${item.name}.jpg"></a>`,
            `<p align=center><font class='tdTitle'>${item.title}${link}</font></p>`, '</td>'].join('\r\n');
    });
    const rows = [];
    for (let i = 0; i < cells.length; i += 4) rows.push(['<tr>', ...cells.slice(i, i + 4), '</tr>'].join('\r\n'));
    fs.writeFileSync(path.join(folder, 'index.html'), [
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">', '<html>', '<head>',
        '<meta http-equiv="Content-Type" content="text/html; charset=ISO-8859-1">', '<title>Image Gallery</title>',
        '<script type="text/javascript" src="prototype.js"></script>',
        '<script type="text/javascript" src="scriptaculous.js?load=effects,builder"></script>',
        '<script type="text/javascript" src="lightbox.js"></script>',
        '<link rel="stylesheet" href="lightbox.css" type="text/css" media="screen">',
        '<link rel="stylesheet" href="library/zebstyle.css" type="text/css">', '</head>', '<body>',
        "<div id='divZEB'>", '<table id="tblThumbsLayout" cellpadding="2" cellspacing="2">', '<tr>', '</tr>', '<tr>',
        ...rows, '</table>', '</div>', '</body>', '</html>', ''].join('\r\n'));
}

function handmadeGalleries(sources) {
    const plain = path.join(work, 'plain'), withLinks = path.join(work, 'linked');
    handmadeGallery(plain, sources, photos.map(([name]) => ({ name, title: name, url: '', linkText: '' })));
    handmadeGallery(withLinks, sources, linked);
    return { plain, withLinks };
}

// ---------------------------------------------------------------------------------------
// Serving

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.gif': 'image/gif', '.jpg': 'image/jpeg' };

function serve(root) {
    const server = http.createServer((req, res) => {
        const url = new URL(req.url, 'http://127.0.0.1');
        const file = path.join(root, decodeURIComponent(url.pathname));
        if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            res.writeHead(404).end('not found');
            return;
        }
        res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
        fs.createReadStream(file).pipe(res);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// ---------------------------------------------------------------------------------------
// Browser helpers

async function launch(name, options) {
    const profile = path.join(work, `profile-${name}`);
    fs.rmSync(profile, { recursive: true, force: true });
    fs.mkdirSync(profile);
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium', headless: true, args: chromiumArgs, ...options });
    await context.route('http://lumarc-link.test/**', (route) =>
        route.fulfill({ contentType: 'text/html', body: '<title>linked page</title>' }));
    return context;
}

// Collects everything that should never happen on a gallery page.
function watch(page, problems) {
    page.on('console', (m) => { if (m.type() === 'error' || m.type() === 'warning') problems.push(`console ${m.type()}: ${m.text()}`); });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('response', (r) => { if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) problems.push(`HTTP ${r.status()}: ${r.url()}`); });
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()} ${r.failure() && r.failure().errorText}`));
}

// The viewer as the user sees it.
function viewerState(page) {
    return page.evaluate(() => {
        const overlay = document.getElementById('lbx-overlay');
        const visible = (e) => !!e && getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0;
        if (!visible(overlay)) return { open: false };
        const img = document.getElementById('lbx-image');
        // Rectangles in the visible area, in its CSS pixels (a phone may show the page zoomed).
        const v = window.visualViewport;
        const box = (e) => { const r = e.getBoundingClientRect(); return { x: r.left - v.offsetLeft, y: r.top - v.offsetTop, w: r.width, h: r.height }; };
        return {
            open: true,
            src: img.getAttribute('src') || '',
            loaded: img.complete && img.naturalWidth > 0,
            busy: document.getElementById('lbx-panel').className,
            image: box(img),
            natural: { w: img.naturalWidth, h: img.naturalHeight },
            panel: box(document.getElementById('lbx-panel')),
            window: { w: v.width, h: v.height },
            zoom: v.scale,
            // The caption's font size as it appears on the screen.
            fontOnScreen: parseFloat(getComputedStyle(document.getElementById('lbx-caption')).fontSize) * v.scale,
            caption: document.getElementById('lbx-caption').innerHTML,
            captionText: document.getElementById('lbx-caption').textContent,
            counter: visible(document.getElementById('lbx-counter')) ? document.getElementById('lbx-counter').textContent : '',
            prev: visible(document.getElementById('lbx-prev')),
            next: visible(document.getElementById('lbx-next')),
        };
    });
}

// Waits until the viewer shows the photo `name` fully loaded, and returns its state.
async function showing(page, name) {
    await page.waitForFunction((n) => {
        const img = document.getElementById('lbx-image');
        return img && (img.getAttribute('src') || '').endsWith(`photos/${n}.jpg`) && img.complete && img.naturalWidth > 0
            && document.getElementById('lbx-panel').className === '';
    }, name, { timeout: 10000 });
    return viewerState(page);
}

async function closed(page) {
    await page.waitForFunction(() => {
        const o = document.getElementById('lbx-overlay');
        return !o || getComputedStyle(o).display === 'none';
    }, null, { timeout: 5000 });
}

function fits(state, margin) {
    const { image: i, panel: p, window: w } = state;
    assert(i.w > 0 && i.h > 0, `image has no size: ${JSON.stringify(i)}`);
    for (const [what, r] of [['image', i], ['panel', p]]) {
        assert(r.x >= margin && r.y >= margin && r.x + r.w <= w.w - margin && r.y + r.h <= w.h - margin,
            `${what} ${JSON.stringify(r)} leaves the ${w.w}x${w.h} window`);
    }
}

// Scaled without distortion, never larger on screen than its own pixels, and as large as
// the visible area allows (less the frame, the caption and a margin).
function fitsBest(state) {
    const { image: i, natural: n, window: w, zoom } = state;
    const largest = Math.max(1, 1 / zoom);
    assert(i.w <= n.w * largest + 1 && i.h <= n.h * largest + 1, `enlarged: ${i.w}x${i.h} from ${n.w}x${n.h}`);
    assert(Math.abs(i.w / i.h - n.w / n.h) < 0.02, `distorted: ${i.w}x${i.h} from ${n.w}x${n.h}`);
    assert(i.w >= Math.floor(n.w * largest) || i.w >= 0.85 * w.w || i.h >= 0.7 * w.h,
        `${i.w}x${i.h} from ${n.w}x${n.h} is smaller than the ${w.w}x${w.h} window allows`);
}

function thumb(page, i) { return page.locator("a[rel^='lightbox']").nth(i); }

// ---------------------------------------------------------------------------------------

async function desktopChecks(base, problems) {
    const context = await launch('desktop', { viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    watch(page, problems);
    const names = photos.map(([n]) => n);
    const total = names.length;

    await check('gallery page loads with Prototype and script.aculo.us', async () => {
        await page.goto(`${base}/plain/index.html`, { waitUntil: 'load' });
        const env = await page.evaluate(() => ({
            prototype: typeof Prototype === 'object' && Prototype.Version,
            effects: typeof Effect === 'object' || typeof Effect === 'function',
            builder: typeof Builder === 'object',
            links: document.querySelectorAll("a[rel^='lightbox']").length,
            overlay: !!document.getElementById('lbx-overlay'),
            globals: Object.keys(window).filter((k) => /lightbox|lbx/i.test(k)),
        }));
        assert(env.prototype, 'Prototype is not loaded');
        assert(env.effects && env.builder, 'script.aculo.us effects/builder are not loaded');
        equal(env.links, total, 'viewer links');
        equal(env.overlay, false, 'overlay before the first click');
        equal(env.globals.join(','), '', 'globals of the viewer');
    });

    await check('the five viewer images are served and decode', async () => {
        const sizes = await page.evaluate(() => Promise.all(['close', 'closelabel', 'nextlabel', 'prevlabel', 'loading'].map((n) =>
            new Promise((resolve) => {
                const img = new Image();
                img.onload = () => resolve(`${n}:${img.naturalWidth}x${img.naturalHeight}`);
                img.onerror = () => resolve(`${n}:error`);
                img.src = `images/${n}.gif`;
            }))));
        for (const s of sizes) assert(!s.endsWith(':error') && !s.endsWith(':0x0'), `image ${s}`);
    });

    await check('the spinner shows while the large image loads', async () => {
        let release;
        const held = new Promise((resolve) => { release = resolve; });
        await page.route('**/plain/photos/Sunset.jpg', async (route) => { await held; await route.continue().catch(() => {}); });
        try {
            await thumb(page, 0).click();
            await page.waitForFunction(() => {
                const spinner = document.getElementById('lbx-loading');
                return spinner && getComputedStyle(spinner).display === 'block' && spinner.offsetWidth === 32
                    && /images\/loading\.gif/.test(getComputedStyle(spinner).backgroundImage);
            }, null, { timeout: 3000 });
            release();
            await showing(page, names[0]);
            equal(await page.locator('#lbx-loading').isVisible(), false, 'spinner visible after the load');
        } finally {
            release();
            await page.unroute('**/plain/photos/Sunset.jpg');
            await page.keyboard.press('Escape');
            await closed(page);
        }
    });

    await check('a click on the first thumbnail opens the overlay with the large image', async () => {
        await thumb(page, 0).click();
        const s = await showing(page, names[0]);
        equal(s.counter, `Image 1 of ${total}`, 'counter');
        equal(s.captionText, names[0], 'caption');
        assert(!s.prev && s.next, `first image: prev hidden, next shown (prev ${s.prev}, next ${s.next})`);
        fits(s, 8);
        equal(page.url(), `${base}/plain/index.html`, 'page address (the link must not be followed)');
    });

    await check('Right and Left step through the group', async () => {
        await page.keyboard.press('ArrowRight');
        let s = await showing(page, names[1]);
        equal(s.counter, `Image 2 of ${total}`, 'counter after Right');
        assert(s.prev && s.next, 'second image: both directions');
        await page.keyboard.press('ArrowLeft');
        s = await showing(page, names[0]);
        equal(s.counter, `Image 1 of ${total}`, 'counter after Left');
    });

    await check('n and p step through the group; no step before the first image', async () => {
        await page.keyboard.press('n');
        await showing(page, names[1]);
        await page.keyboard.press('n');
        let s = await showing(page, names[2]);
        equal(s.counter, `Image 3 of ${total}`, 'counter after n n');
        await page.keyboard.press('p');
        await page.keyboard.press('p');
        await page.keyboard.press('p');
        s = await showing(page, names[0]);
        equal(s.counter, `Image 1 of ${total}`, 'counter after p p p');
    });

    await check('every image fits the window, the portrait and the very wide one too', async () => {
        for (let i = 0; i < total; i++) {
            const s = await showing(page, names[i]);
            fits(s, 8);
            fitsBest(s);
            if (i < total - 1) await page.keyboard.press('ArrowRight');
        }
        await page.keyboard.press('ArrowRight');       // past the last image: stays
        const s = await showing(page, names[total - 1]);
        equal(s.counter, `Image ${total} of ${total}`, 'counter at the end');
        assert(s.prev && !s.next, 'last image: next hidden');
    });

    await check('hovering the left half shows the prev label, a click there steps back', async () => {
        const stage = await page.locator('#lbx-stage').boundingBox();
        await page.mouse.move(stage.x + stage.width * 0.25, stage.y + stage.height / 2);
        await page.waitForFunction(() => getComputedStyle(document.querySelector('#lbx-prev .lbx-label')).opacity > 0.8);
        await page.mouse.click(stage.x + stage.width * 0.25, stage.y + stage.height / 2);
        const s = await showing(page, names[total - 2]);
        equal(s.counter, `Image ${total - 1} of ${total}`, 'counter after the click');
    });

    await check('Esc closes the overlay and gives the page its scrolling back', async () => {
        await page.keyboard.press('Escape');
        await closed(page);
        const overflow = await page.evaluate(() => document.body.style.overflow + '|' + document.documentElement.style.overflow);
        equal(overflow, '|', 'overflow styles');
    });

    await check('reopened on the third thumbnail; the close label closes it', async () => {
        await thumb(page, 2).click();
        const s = await showing(page, names[2]);
        equal(s.counter, `Image 3 of ${total}`, 'counter');
        await page.locator('#lbx-close').click();
        await closed(page);
    });

    await check('x, c, the corner button and a click beside the image close it', async () => {
        for (const how of ['x', 'c', 'corner', 'outside']) {
            await thumb(page, 1).click();
            await showing(page, names[1]);
            if (how === 'corner') await page.locator('#lbx-close-corner').click();
            else if (how === 'outside') await page.mouse.click(5, 400);
            else await page.keyboard.press(how);
            await closed(page);
        }
    });

    await check('a click on the image itself does not close it', async () => {
        await thumb(page, 0).click();
        await showing(page, names[0]);
        const panel = await page.locator('#lbx-data').boundingBox();
        await page.mouse.click(panel.x + 20, panel.y + panel.height - 3);
        await page.waitForTimeout(300);
        assert((await viewerState(page)).open, 'overlay closed by a click on its panel');
        await page.keyboard.press('Escape');
        await closed(page);
    });

    await check('the caption shows the title link, and the link can be clicked', async () => {
        await page.goto(`${base}/linked/index.html`, { waitUntil: 'load' });
        await thumb(page, 0).click();
        const s = await showing(page, names[0]);
        const link = page.locator('#lbx-caption a');
        equal(await link.count(), 1, 'links in the caption');
        equal(await link.getAttribute('href'), externalUrl, 'link address');
        equal(await link.textContent(), '3D', 'link text');
        assert(s.captionText.startsWith(`${names[0]} `), `caption text ${JSON.stringify(s.captionText)}`);
        await page.screenshot({ path: screenshotPath, animations: 'disabled' });
        const [popup] = await Promise.all([context.waitForEvent('page'), link.click()]);
        await popup.waitForLoadState();
        equal(popup.url(), externalUrl, 'page opened by the caption link');
        await popup.close();
        assert((await viewerState(page)).open, 'the viewer stays open behind the linked page');
    });

    await check('a title with double quotes and one without a link', async () => {
        await page.keyboard.press('n');
        await page.keyboard.press('n');
        let s = await showing(page, names[2]);
        assert(s.captionText.startsWith('Tower "Old"'), `caption text ${JSON.stringify(s.captionText)}`);
        await page.keyboard.press('n');
        s = await showing(page, names[3]);
        equal(s.captionText, names[3], 'caption without a link');
        await page.keyboard.press('Escape');
        await closed(page);
    });

    await context.close();
}

async function phoneChecks(base, problems) {
    const context = await launch('phone', { viewport: { width: 375, height: 667 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
    const page = await context.newPage();
    watch(page, problems);
    const names = photos.map(([n]) => n);

    await check('phone: a tap opens the viewer and the image fits the 375x667 screen', async () => {
        await page.goto(`${base}/linked/index.html`, { waitUntil: 'load' });
        await thumb(page, 0).tap();
        let s = await showing(page, names[0]);
        fits(s, 0);
        fitsBest(s);
        assert(s.fontOnScreen >= 12 && s.fontOnScreen <= 14, `caption font on screen: ${s.fontOnScreen}px`);
        await page.screenshot({ path: screenshotPath.replace(/\.png$/, '-phone.png'), animations: 'disabled' });
        await page.locator('#lbx-next').tap();
        await page.locator('#lbx-next').tap();
        s = await showing(page, names[2]);
        fits(s, 0);
        fitsBest(s);
    });

    await check('phone: with the page zoomed in, the viewer covers the visible part', async () => {
        const cdp = await context.newCDPSession(page);
        await cdp.send('Emulation.setPageScaleFactor', { pageScaleFactor: 1.5 });
        await page.waitForFunction(() => visualViewport.scale > 1.4);
        await page.evaluate(() => window.dispatchEvent(new Event('resize')));
        await page.waitForFunction(() => {
            const r = document.getElementById('lbx-panel').getBoundingClientRect(), v = visualViewport;
            return r.left >= v.offsetLeft && r.right <= v.offsetLeft + v.width && r.bottom <= v.offsetTop + v.height;
        }, null, { timeout: 5000 });
        const s = await viewerState(page);
        fits(s, 0);
        fitsBest(s);
        assert(s.fontOnScreen >= 12 && s.fontOnScreen <= 14, `caption font on screen: ${s.fontOnScreen}px`);
        await cdp.send('Emulation.setPageScaleFactor', { pageScaleFactor: 0 });
        await cdp.detach();
    });

    await check('phone: swipes move through the group', async () => {
        const swipe = (dx) => page.evaluate((dx) => {
            const stage = document.getElementById('lbx-stage');
            const r = stage.getBoundingClientRect();
            const x = r.left + r.width / 2, y = r.top + r.height / 2;
            const touch = (cx) => new Touch({ identifier: 1, target: stage, clientX: cx, clientY: y });
            stage.dispatchEvent(new TouchEvent('touchstart', { touches: [touch(x)], changedTouches: [touch(x)], bubbles: true, cancelable: true }));
            stage.dispatchEvent(new TouchEvent('touchend', { touches: [], changedTouches: [touch(x + dx)], bubbles: true, cancelable: true }));
        }, dx);
        await swipe(-120);
        let s = await showing(page, names[3]);
        equal(s.counter, `Image 4 of ${photos.length}`, 'counter after a swipe to the left');
        await swipe(120);
        s = await showing(page, names[2]);
        equal(s.counter, `Image 3 of ${photos.length}`, 'counter after a swipe to the right');
    });

    await check('phone: a tap outside the image closes the viewer', async () => {
        await page.keyboard.press('ArrowRight');
        const s = await showing(page, names[3]);       // small landscape: room above and below
        await page.touchscreen.tap(187, Math.max(4, s.panel.y / 2));
        await closed(page);
    });

    await context.close();
}

// ---------------------------------------------------------------------------------------

async function main() {
    // The work folder is emptied: only when it is new, empty or one of ours.
    const marker = path.join(work, '.lumarc-viewer-test');
    if (fs.existsSync(work) && fs.readdirSync(work).length && !fs.existsSync(marker))
        throw new Error(`${work} holds files of its own; give a new or empty work folder`);
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(work, { recursive: true });
    fs.writeFileSync(marker, '');
    const sources = makePhotos(path.join(work, 'source'));
    const galleries = handmade ? handmadeGalleries(sources) : await lumarcGalleries(sources);
    console.log(`galleries (${handmade ? 'handmade' : 'lumarc build'}): ${galleries.plain}, ${galleries.withLinks}`);

    const server = await serve(work);
    const base = `http://127.0.0.1:${server.address().port}`;
    const problems = [];
    try {
        await desktopChecks(base, problems);
        await phoneChecks(base, problems);
    } finally {
        server.close();
    }
    await check('no console errors or warnings, page errors or failed requests', async () => {
        assert(problems.length === 0, problems.join('\n'));
    });
}

// A stray rejection (a browser call outside any check) still ends with the summary line.
process.on('unhandledRejection', (e) => {
    console.log(`FAIL  unhandled: ${e && e.stack || e}`);
    console.log(`${passed} passed, ${failed + 1} failed`);
    process.exit(1);
});

const watchdog = setTimeout(() => {
    console.log('FAIL  the test did not finish within 150 s');
    console.log(`${passed} passed, ${failed + 1} failed`);
    process.exit(1);
}, 150000);

main().catch((e) => {
    failed++;
    console.log(`FAIL  setup: ${e && e.stack || e}`);
}).finally(() => {
    clearTimeout(watchdog);
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
});
