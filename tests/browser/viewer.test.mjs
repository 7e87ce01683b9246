// Browser test of the gallery viewer (lightbox.js) in headless Chromium.
//
//   node viewer.test.mjs LUMARC_EXE WORK_DIR
//
// Builds galleries from a few photos with `lumarc build`, opens them from disk and drives
// the viewer with the mouse and the keyboard on a desktop window, and by touch on
// a phone-sized one. Prints "N passed, M failed" last; exits 1 on any failure.

import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { assert, check, convert, equal, finish, lumarc, openBrowser, run, setUp, shown, thumbs, writeList } from './harness.mjs';

let work;

// The captions' external link; the browser context answers it, so the test stays on the machine.
const externalUrl = 'http://lumarc-link.test/3d';

// name, size, gradient: two landscape, one portrait, one smaller than any window.
const photos = [
    ['Sunset', '1600x1000', '#f4a340-#5a1f6b'],
    ['Forest', '1200x900', '#9bd17a-#1d4d2b'],
    ['Tower', '700x1400', '#bfe3ff-#20406a'],
    ['Pebble', '320x240', '#d8d2c4-#6b6356'],
];
const names = photos.map(([n]) => n), total = names.length;

function makePhotos(folder) {
    fs.mkdirSync(folder, { recursive: true });
    return photos.map(([name, size, colours]) => {
        const file = path.join(folder, `${name}.jpg`);
        run(convert, ['-size', size, `gradient:${colours}`, file]);
        return file;
    });
}

// A plain gallery, and one from an imported list whose captions carry a link (one title
// with double quotes, one image without a link).
function buildGalleries(sources) {
    lumarc('build', ...sources, '-o', path.join(work, 'plain'), '--yes', '--quiet');
    writeList(path.join(work, 'list.txt'), names.map((name, i) =>
        ({ photo: sources[i], title: i === 2 ? `${name} "Old"` : name, url: i === 3 ? '' : externalUrl })));
    const project = path.join(work, 'linked.zeb');
    lumarc('import', path.join(work, 'list.txt'), project);
    lumarc('set', project, 'add_image_links=1');
    lumarc('build', project, '-o', path.join(work, 'linked'), '--yes', '--quiet');
}

// The external link is answered by the browser.
async function launch(name, options, problems) {
    const opened = await openBrowser(name, options, problems);
    await opened.context.route('http://lumarc-link.test/**', (route) =>
        route.fulfill({ contentType: 'text/html', body: '<title>linked page</title>' }));
    return opened;
}

// Waits until the viewer shows photo i fully loaded, and returns what the user sees;
// rectangles are in the visible area's CSS pixels.
async function showing(page, i) {
    await shown(page, i);
    return page.evaluate(() => {
        const v = window.visualViewport, el = (id) => document.getElementById(id);
        const box = (e) => { const r = e.getBoundingClientRect(); return { x: r.left - v.offsetLeft, y: r.top - v.offsetTop, w: r.width, h: r.height }; };
        const counter = el('lbx-counter');
        return {
            image: box(el('lbx-image')), panel: box(el('lbx-panel')), window: { w: v.width, h: v.height },
            natural: { w: el('lbx-image').naturalWidth, h: el('lbx-image').naturalHeight },
            captionText: el('lbx-caption').textContent,
            counter: getComputedStyle(counter).display !== 'none' ? counter.textContent : '',
        };
    });
}

function closed(page) {
    return page.waitForFunction(() => getComputedStyle(document.getElementById('lbx-overlay')).display === 'none',
        null, { timeout: 5000 });
}

// Inside the window with the image and its frame, undistorted and not shrunk needlessly.
function fits(s, margin) {
    const { image: i, natural: n, window: w } = s;
    for (const [what, r] of [['image', i], ['panel', s.panel]]) {
        assert(r.w > 0 && r.x >= margin && r.y >= margin && r.x + r.w <= w.w - margin && r.y + r.h <= w.h - margin,
            `${what} ${JSON.stringify(r)} leaves the ${w.w}x${w.h} window`);
    }
    assert(Math.abs(i.w / i.h - n.w / n.h) < 0.02, `distorted: ${i.w}x${i.h} from ${n.w}x${n.h}`);
    assert(i.w >= 0.5 * w.w || i.h >= 0.5 * w.h, `${i.w}x${i.h} is small for the ${w.w}x${w.h} window`);
}

const thumb = (page, i) => thumbs(page).nth(i);

async function desktopChecks(base, problems) {
    const { context, page } = await launch('desktop', { viewport: { width: 1280, height: 800 } }, problems);

    await check('a click on the first thumbnail opens the overlay with the large image', async () => {
        await page.goto(`${base}/plain/index.html`, { waitUntil: 'load' });
        equal(await thumbs(page).count(), total, 'viewer links');
        await thumb(page, 0).click();
        const s = await showing(page, 0);
        equal(s.counter, `Image 1 of ${total}`, 'counter');
        equal(s.captionText, names[0], 'caption');
        fits(s, 8);
        equal(page.url(), `${base}/plain/index.html`, 'page address (the link must not be followed)');
    });

    await check('Right/Left and n/p step through the group, not past its ends', async () => {
        for (const [key, at] of [['ArrowRight', 1], ['ArrowLeft', 0], ['ArrowLeft', 0], ['n', 1], ['n', 2], ['p', 1]]) {
            await page.keyboard.press(key);
            equal((await showing(page, at)).counter, `Image ${at + 1} of ${total}`, `counter after ${key}`);
        }
        await page.keyboard.press('n');
        fits(await showing(page, 2), 8);     // the portrait
    });

    await check('Esc, x and c close the overlay; reopened, the close label closes it', async () => {
        for (const key of ['Escape', 'x', 'c']) {
            await page.keyboard.press(key);
            await closed(page);
            await thumb(page, 1).click();
            equal((await showing(page, 1)).counter, `Image 2 of ${total}`, `counter after ${key} and a click`);
        }
        await page.locator('#lbx-close').click();
        await closed(page);
    });

    await check('the caption carries the title link', async () => {
        await page.goto(`${base}/linked/index.html`, { waitUntil: 'load' });
        await thumb(page, 0).click();
        const s = await showing(page, 0);
        equal(s.counter, `Image 1 of ${total}`, 'counter');
        const link = page.locator('#lbx-caption a');
        equal(await link.getAttribute('href'), externalUrl, 'link address');
        equal(await link.textContent(), '3D', 'link text');
        equal(s.captionText, `${names[0]} 3D`, 'caption text');
        await page.keyboard.press('n');
        await page.keyboard.press('n');
        equal((await showing(page, 2)).captionText, 'Tower "Old" 3D', 'caption with double quotes');
    });

    await context.close();
}

async function phoneChecks(base, problems) {
    const { context, page } = await launch('phone',
        { viewport: { width: 375, height: 667 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 }, problems);
    await check('phone: the image fits the 375x667 screen and a tap outside it closes the viewer', async () => {
        await page.goto(`${base}/linked/index.html`, { waitUntil: 'load' });
        await thumb(page, 0).tap();
        const s = await showing(page, 0);
        fits(s, 0);
        assert(s.panel.y > 8, `no room above the panel: ${JSON.stringify(s.panel)}`);
        await page.touchscreen.tap(187, s.panel.y / 2);
        await closed(page);
    });
    await context.close();
}

async function main() {
    work = setUp('viewer.test.mjs');
    buildGalleries(makePhotos(path.join(work, 'source')));

    const base = pathToFileURL(work).href, problems = [];
    await desktopChecks(base, problems);
    await phoneChecks(base, problems);
    await check('no console errors or warnings, page errors or failed requests', async () => {
        assert(problems.length === 0, problems.join('\n'));
    });
}

finish(main);
