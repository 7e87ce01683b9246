// Browser test of the gallery viewer (lightbox.js) in headless Chromium.
//
//   node viewer.test.mjs LUMARC_EXE WORK_DIR
//
// Builds galleries from a few photos with `lumarc build`, opens them from disk and drives
// the viewer with the mouse and the keyboard on a desktop window, and by touch on a phone
// (390 x 844 at scale 3), whose screenshots are left in WORK_DIR/screenshots for a person
// to look at. Measures, on a 1,000-photo gallery, the time from a click to the photo and
// from a step to the next, loaded ahead, photo. Prints "N passed, M failed" last; exits 1
// on any failure.

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
    // Two photos a page: Sunset and Forest on zeb.html, Tower and Pebble on zeb1.html.
    lumarc('set', project, 'columns=2', 'rows=1');
    lumarc('build', project, '-o', path.join(work, 'paged'), '--yes', '--quiet');
    // A gallery from before the photo list: the viewer keeps to the page.
    lumarc('build', project, '-o', path.join(work, 'old'), '--yes', '--quiet');
    fs.rmSync(path.join(work, 'old', 'library', 'gallery.js'));
}

// 1,000 copies of one photo, on three pages.
function buildLargeGallery(sources) {
    const folder = path.join(work, 'many');
    fs.mkdirSync(folder);
    const files = Array.from({ length: 1000 }, (_, i) => path.join(folder, `p${String(i).padStart(4, '0')}.jpg`));
    files.forEach((file) => fs.copyFileSync(sources[1], file));
    lumarc('build', folder, '-o', path.join(work, 'large'), '--yes', '--quiet');
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
        equal(page.url(), `${base}/plain/index.html#photo=${names[0]}`, 'page address (the link must not be followed)');
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

const state = (page) => page.evaluate(() => {
    const overlay = document.getElementById('lbx-overlay'), image = document.getElementById('lbx-image');
    const r = image && image.getBoundingClientRect();
    return {
        open: !!overlay && getComputedStyle(overlay).display !== 'none', hash: location.hash, page: location.pathname.split('/').pop(),
        counter: overlay ? document.getElementById('lbx-counter').textContent : '', alt: image && image.alt,
        width: r ? r.width : 0, fitted: image ? parseFloat(image.style.width) : 0, history: history.length,
        focus: document.activeElement && (document.activeElement.id || document.activeElement.getAttribute('href')),
        focusInside: !!overlay && overlay.contains(document.activeElement),
        playing: overlay ? document.getElementById('lbx-play').getAttribute('aria-pressed') : null,
    };
});

// Waits until the viewer is closed and returns the state then.
async function closedState(page) {
    await closed(page);
    return state(page);
}

async function addressChecks(base, problems) {
    const { context, page } = await launch('address', { viewport: { width: 1366, height: 768 } }, problems);
    const paged = `${base}/paged`;

    await check('opening sets the address, Back closes, Forward opens again; focus returns to the thumbnail', async () => {
        await page.goto(`${paged}/zeb.html`, { waitUntil: 'load' });
        await thumb(page, 0).click();
        await shown(page, 0);
        let s = await state(page);
        equal(s.hash, '#photo=Sunset', 'address');
        equal(s.counter, `Image 1 of ${total}`, 'counter over the whole gallery');
        equal(s.alt, 'Sunset', 'alt text without the link');
        await page.goBack();
        s = await closedState(page);
        equal(s.hash, '', 'address after Back');
        equal(s.page, 'zeb.html', 'page after Back');
        equal(s.focus, 'photos/Sunset.jpg', 'focus after closing');
        await page.goForward();
        await shown(page, 0);
        equal((await state(page)).counter, `Image 1 of ${total}`, 'counter after Forward');
    });

    await check('stepping crosses to the next page with the whole-gallery counter and replaces the address', async () => {
        const before = await state(page);
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('ArrowRight');
        await shown(page, 'Tower');
        const s = await state(page);
        equal(s.counter, `Image 3 of ${total}`, 'counter');
        equal(s.hash, '#photo=Tower', 'address');
        equal(s.history, before.history, 'history entries');
        equal(await page.locator('#lbx-caption').textContent(), 'Tower "Old" 3D', 'caption from the list');
        equal(s.alt, 'Tower "Old"', 'alt text');
        await page.keyboard.press('End');
        await shown(page, 'Pebble');
        await page.keyboard.press('Escape');
        const after = await closedState(page);
        equal(after.hash, '', 'address after closing');
        equal(after.page, 'zeb.html', 'still the first page');
    });

    await check('a page opened at a photo of another page opens that page at it; closing clears the address', async () => {
        await page.goto('about:blank');
        await page.goto(`${paged}/zeb.html#photo=Tower`, { waitUntil: 'load' });
        await page.waitForURL(`${paged}/zeb1.html#photo=Tower`);
        await shown(page, 0);
        equal((await state(page)).counter, `Image 3 of ${total}`, 'counter');
        await page.locator('#lbx-close').click();
        const s = await closedState(page);
        equal(`${s.page}${s.hash}`, 'zeb1.html', 'address after closing');
        equal(s.focus, 'photos/Tower.jpg', 'focus after closing');
    });

    await check('Tab stays inside the open viewer and its controls are labelled buttons of 44 x 44', async () => {
        await thumb(page, 1).click();
        await shown(page, 1);
        for (let i = 0; i < 7; i++) {
            await page.keyboard.press(i % 3 ? 'Tab' : 'Shift+Tab');
            assert((await state(page)).focusInside, `the focus left the viewer after ${i + 1} presses`);
        }
        const controls = await page.evaluate(() => [...document.querySelectorAll('#lbx-overlay button')].map((b) => {
            const r = b.getBoundingClientRect();
            return { label: b.getAttribute('aria-label'), w: r.width, h: r.height, shown: r.width > 0 };
        }));
        for (const c of controls.filter((c) => c.shown))
            assert(c.label && c.w >= 44 && c.h >= 44, `control ${JSON.stringify(c)}`);
        equal(await page.locator('#lbx-overlay').getAttribute('role'), 'dialog', 'role');
        assert(await page.evaluate(() => !document.getElementById('divZEB').contains(document.getElementById('lbx-overlay'))),
            'the viewer is inside divZEB');
    });

    await check('a double-click zooms to twice the fitted size at least and pans by drag; Ctrl and the wheel zoom', async () => {
        const box = await page.locator('#lbx-image').boundingBox();
        const fitted = (await state(page)).width;
        await page.mouse.dblclick(box.x + box.width / 2, box.y + box.height / 2);
        let s = await state(page);
        assert(s.width >= 2 * fitted - 1, `zoomed to ${s.width} from ${fitted}`);
        const moved = await page.locator('#lbx-image').boundingBox();
        await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
        await page.mouse.down();
        await page.mouse.move(box.x + box.width / 2 + 60, box.y + box.height / 2, { steps: 4 });
        await page.mouse.up();
        const panned = await page.locator('#lbx-image').boundingBox();
        assert(Math.abs(panned.x - moved.x - 60) < 2, `panned from ${moved.x} to ${panned.x}`);
        await page.mouse.dblclick(box.x + box.width / 2, box.y + box.height / 2);
        equal((await state(page)).width, fitted, 'width after a second double-click');
        await page.keyboard.down('Control');
        await page.mouse.wheel(0, -300);
        await page.keyboard.up('Control');
        await page.waitForFunction((w) => document.getElementById('lbx-image').getBoundingClientRect().width > 1.5 * w, fitted);
        await page.keyboard.press('ArrowLeft');
        await shown(page, 0);
        s = await state(page);
        equal(s.width, s.fitted, 'a step shows the next photo fitted');
    });

    await check('the slideshow steps through the gallery, stops at its end and pauses on other input', async () => {
        await page.keyboard.press(' ');
        equal((await state(page)).playing, 'true', 'playing after Space');
        await page.waitForFunction(() => location.hash === '#photo=Pebble', null, { timeout: 8000 });
        await page.waitForFunction(() => document.getElementById('lbx-play').getAttribute('aria-pressed') === 'false',
            null, { timeout: 8000 });
        await page.keyboard.press(' ');
        await shown(page, 'Sunset');         // started again from the first
        await page.keyboard.press('n');
        const s = await state(page);
        equal(`${s.playing} ${s.hash}`, 'false #photo=Forest', 'playing and address after another key');
        await page.keyboard.press('Escape');
        await closed(page);
    });

    await check('a gallery without the photo list steps through the page\'s own photos', async () => {
        const quiet = await launch('old', { viewport: { width: 1366, height: 768 } }, []);
        await quiet.page.goto(`${base}/old/zeb1.html`, { waitUntil: 'load' });
        await thumb(quiet.page, 1).click();
        await shown(quiet.page, 1);
        const s = await state(quiet.page);
        equal(`${s.counter} ${s.hash}`, 'Image 2 of 2 #photo=Pebble', 'counter and address');
        await quiet.context.close();
    });
    await context.close();
}

// CSS pixels of the elements matched, for the phone's checks.
const boxes = (page, selector) => page.evaluate((selector) => [...document.querySelectorAll(selector)]
    .map((e) => { const r = e.getBoundingClientRect(); return { text: e.textContent.trim(), w: r.width, h: r.height }; }), selector);

async function phoneChecks(base, problems) {
    const { context, page } = await launch('phone',
        { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }, problems);
    const cdp = await context.newCDPSession(page);
    const touch = (type, ...points) => cdp.send('Input.dispatchTouchEvent',
        { type, touchPoints: points.map(([x, y], id) => ({ x, y, id })) });
    // Each finger moves from its first point to its second in six steps.
    async function drag(...fingers) {
        const at = (k) => fingers.map(([a, b]) => [a[0] + (b[0] - a[0]) * k / 6, a[1] + (b[1] - a[1]) * k / 6]);
        await touch('touchStart', ...at(0));
        for (let k = 1; k <= 6; k++) await touch('touchMove', ...at(k));
        await touch('touchEnd');
    }
    const shots = path.join(work, 'screenshots');
    fs.mkdirSync(shots, { recursive: true });

    await check('phone: the index fits the screen, thumbnails at their size, paging links of 44 x 44', async () => {
        await page.goto(`${base}/paged/zeb.html`, { waitUntil: 'load' });
        await page.screenshot({ path: path.join(shots, 'phone-index.png'), fullPage: true });
        const layout = await page.evaluate(() => ({
            scale: window.visualViewport.scale, scrollWidth: document.documentElement.scrollWidth, width: innerWidth,
            thumbs: [...document.querySelectorAll('img.eImage')].map((i) => [i.width, i.naturalWidth]),
        }));
        equal(layout.scale, 1, 'page zoom');
        assert(layout.scrollWidth <= layout.width, `sideways scrolling: ${layout.scrollWidth} > ${layout.width}`);
        for (const [w, natural] of layout.thumbs) equal(w, natural, 'thumbnail width');
        for (const link of await boxes(page, '#pagingCell a, #pagingCell .currentPage'))
            assert(link.w >= 44 && link.h >= 44, `paging link ${JSON.stringify(link)}`);
    });

    await check('phone: the image fits the screen, swipes step and close, a tap outside closes', async () => {
        await thumb(page, 0).tap();
        const s = await showing(page, 0);
        fits(s, 0);
        assert(s.panel.y > 44, `no room for the close button above the panel: ${JSON.stringify(s.panel)}`);
        await page.waitForTimeout(300);      // the fade-in, for the person looking at the screenshot
        await page.screenshot({ path: path.join(shots, 'phone-viewer.png') });
        for (const c of await boxes(page, '#lbx-close, #lbx-next, #lbx-play'))
            assert(c.w >= 44 && c.h >= 44, `control ${JSON.stringify(c)}`);
        const y = s.image.y + s.image.h / 2;
        await drag([[300, y], [100, y]]);
        equal((await showing(page, 1)).counter, `Image 2 of ${total}`, 'counter after a swipe to the left');
        await drag([[195, y], [195, y + 200]]);
        await closed(page);
        await page.waitForTimeout(1500);     // Chromium takes a tap within a second of a swipe as the swipe's end
        await thumb(page, 0).tap();
        await showing(page, 0);
        await page.touchscreen.tap(195, s.panel.y / 2 + 22);
        await closed(page);
    });

    await check('phone: a pinch and a double tap zoom the photo', async () => {
        await thumb(page, 0).tap();
        const s = await showing(page, 0), x = s.image.x + s.image.w / 2, y = s.image.y + s.image.h / 2;
        await drag([[x - 30, y], [x - 120, y]], [[x + 30, y], [x + 120, y]]);
        const pinched = (await state(page)).width;
        assert(pinched > 2.5 * s.image.w, `pinched to ${pinched} from ${s.image.w}`);
        await page.screenshot({ path: path.join(shots, 'phone-zoomed.png') });
        await page.keyboard.press('Escape');
        await closed(page);
        await thumb(page, 1).tap();
        const t = await showing(page, 1);
        for (let i = 0; i < 2; i++) await page.touchscreen.tap(t.image.x + t.image.w / 2, t.image.y + t.image.h / 2);
        await page.waitForFunction((w) => document.getElementById('lbx-image').getBoundingClientRect().width >= 2 * w - 1, t.image.w);
    });
    await context.close();
}

// Median milliseconds from a click on a thumbnail to its photo on screen, and from a step to
// the next photo, loaded ahead; printed, not judged.
async function speed(base, problems) {
    const { context, page } = await launch('speed', { viewport: { width: 1366, height: 768 } }, problems);
    await page.goto(`${base}/large/zeb.html`, { waitUntil: 'load' });
    const times = await page.evaluate(async () => {
        const links = document.querySelectorAll("a[rel^='lightbox']"), image = document.getElementById.bind(document);
        const until = (href) => new Promise((resolve) => {
            const t0 = performance.now();
            const poll = () => {
                const img = image('lbx-image');
                if (img && img.src === href && img.complete && image('lbx-panel').className === '') resolve(performance.now() - t0);
                else requestAnimationFrame(poll);
            };
            poll();
        });
        const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
        const open = [], steps = [];
        for (let i = 0; i < 10; i++) {
            const link = links[37 * i], opened = until(link.href);
            link.click();
            open.push(await opened);
            await pause(300);
            const stepped = until(links[37 * i + 1].href);
            document.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowRight', bubbles: true }));
            steps.push(await stepped);
            document.dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape', bubbles: true }));
            await pause(100);
        }
        const median = (a) => a.sort((x, y) => x - y)[a.length >> 1];
        return { count: links.length, open: median(open), step: median(steps), counter: image('lbx-counter').textContent };
    });
    await check('a 1,000-photo gallery: the viewer counts every photo', async () => {
        equal(times.counter, 'Image 335 of 1000', 'counter of the last photo shown');
    });
    console.log(`speed: ${times.count} photos on the first page; click to photo ${times.open.toFixed(1)} ms, ` +
        `step to a photo loaded ahead ${times.step.toFixed(1)} ms (medians of 10, from file://)`);
    await context.close();
}

async function main() {
    work = setUp('viewer.test.mjs');
    const sources = makePhotos(path.join(work, 'source'));
    buildGalleries(sources);
    buildLargeGallery(sources);

    const base = pathToFileURL(work).href, problems = [];
    await desktopChecks(base, problems);
    await addressChecks(base, problems);
    await phoneChecks(base, problems);
    await speed(base, problems);
    await check('no console messages, page errors or failed requests', async () => {
        assert(problems.length === 0, problems.join('\n'));
    });
}

finish(main);
