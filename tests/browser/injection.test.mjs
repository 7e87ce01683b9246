// Browser test of a gallery built from hostile input, in headless Chromium.
//
//   node injection.test.mjs LUMARC_EXE WORK_DIR
//
// A project carries addresses, settings and a background name made to break out of their
// attributes and rules; photos with markup and "&" in their names are added to it. The
// built gallery is opened from disk; every thumbnail is clicked and the viewer stepped
// through. Any dialog, page error, console error or request outside the gallery folder
// fails the test. Prints "N passed, M failed" last.

import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { assert, check, convert, finish, lumarc, openBrowser, run, setUp, shown, thumbs as thumbsOf, writeList }
    from './harness.mjs';

let work;

// Puts texts into a project file's settings record by field number (fields 3 to 34 are
// texts, each a 16-bit length and its bytes, after the 10-byte signature and two numbers).
function patchSettings(file, texts) {
    const b = fs.readFileSync(file), parts = [b.subarray(0, 18)];
    let at = 18;
    for (let field = 3; field <= 34; field++) {
        const end = at + 2 + b.readInt16LE(at);
        if (field in texts) {
            const text = Buffer.from(texts[field], 'latin1'), length = Buffer.alloc(2);
            length.writeInt16LE(text.length);
            parts.push(length, text);
        } else {
            parts.push(b.subarray(at, end));
        }
        at = end;
    }
    fs.writeFileSync(file, Buffer.concat([...parts, b.subarray(at)]));
}

const evil = 'http://evil.test';
const items = [
    { name: 'quote', title: 'Quote', url: `http://x/'><img src=x onerror=alert(1)>` },
    { name: 'script', title: 'Script', url: ` JaVa\tScript:alert(2)` },
    // Escaped by its author: the viewer must show it as text, not decode it into markup.
    { name: 'escaped', title: `&lt;img src=x onerror=alert(3)&gt;`, url: 'data:text/html,<script>alert(4)</script>' },
    { name: 'dq', title: 'Double', url: `http://x/" onmouseover="alert(5)" x="` },
];
const named = ['<img src=x onerror=alert(7)>', 'rock&copy'];   // added by file name
const settings = {
    4: `serif}body{background:url(${evil}/family.gif)}`,      // page_font_family
    5: `red;background-image:url(${evil}/colour.gif)`,        // page_background_color
    6: `1px;background:url(${evil}/width.gif)`,               // cell_width
    9: `#111;}td{background:url(${evil}/border.gif)`,         // cell_border_colors
    17: `x;}body{background:url(${evil}/font.gif)}`,          // title_font_name
    20: `center><img src=x onerror=alert(8)`,                 // title_align
    29: `red"><img src=x onerror=alert(10)>`,                 // gallery_title_color
    31: `10"><img src=x onerror=alert(9)>`,                   // cell_padding
};

function makeGallery() {
    const source = path.join(work, 'source');
    fs.mkdirSync(source, { recursive: true });
    const photo = (name) => path.join(source, `${name}.jpg`);
    for (const name of [...items.map((it) => it.name), ...named])
        run(convert, ['-size', '400x300', 'gradient:#f4a340-#5a1f6b', photo(name)]);
    // A name that ends the url('...') of the style sheet; "http:evil.test" is an absolute address.
    const background = path.join(source, `bg');}*{background:url(http:evil.test)}.gif`);
    run(convert, ['-size', '8x8', 'xc:#808080', background]);

    writeList(path.join(work, 'list.txt'), items.map((it) => ({ ...it, photo: photo(it.name) })));
    const project = path.join(work, 'hostile.zeb');
    lumarc('import', path.join(work, 'list.txt'), project);
    lumarc('set', project, 'add_image_links=1', 'add_parent_link=1', 'parent_page_title=Home',
        'parent_page_url=javascript:alert(6)', `page_background_image=${background}`);
    patchSettings(project, settings);   // values that `set` refuses, as a shared file may hold them
    lumarc('add', project, ...named.map(photo));
    const gallery = path.join(work, 'gallery');
    lumarc('build', project, '-o', gallery, '--yes', '--quiet');
    return gallery;
}

async function main() {
    work = setUp('injection.test.mjs');
    const inside = pathToFileURL(makeGallery()).href + '/';
    const problems = [];
    const { context, page } = await openBrowser('hostile', { viewport: { width: 1280, height: 800 } }, problems);
    // Nothing leaves the machine: web requests are refused here and reported below.
    await context.route(/^(https?|wss?):/, (route) => route.abort());
    page.on('request', (r) => { if (!r.url().startsWith(inside)) problems.push(`request outside the gallery: ${r.url()}`); });
    const caption = () => page.evaluate(() => document.getElementById('lbx-caption').textContent);
    const thumbs = thumbsOf(page);
    const total = items.length + named.length;

    await check('every thumbnail opens its photo and the viewer steps through all of them', async () => {
        await page.goto(`${inside}index.html`, { waitUntil: 'load' });
        assert(await thumbs.count() === total, `${await thumbs.count()} viewer links`);
        assert(decodeURIComponent(await thumbs.nth(total - 1).evaluate((a) => a.href)).endsWith('photos/rock&copy.jpg'),
            'the link to rock&copy.jpg');
        for (let i = 0; i < total; i++) {
            await thumbs.nth(i).click();
            await shown(page, i);
            await page.keyboard.press('Escape');
        }
        await thumbs.nth(0).click();
        for (let i = 1; i < total; i++) {
            await page.keyboard.press('ArrowRight');
            await shown(page, i);
        }
        await page.keyboard.press('Escape');
        await page.waitForTimeout(300);   // late error handlers
    });

    await check('text that looks like markup stays text in captions', async () => {
        await thumbs.nth(2).click();
        await shown(page, 2);
        assert(await caption() === '<img src=x onerror=alert(3)>', `caption ${JSON.stringify(await caption())}`);
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('ArrowRight');
        await shown(page, 4);
        assert(await caption() === named[0], `caption ${JSON.stringify(await caption())}`);
        assert(await page.locator('#lbx-caption img, #tblThumbsLayout font img').count() === 0, 'an injected image');
        await page.keyboard.press('Escape');
    });

    await check('no script link is published and typed addresses keep their text', async () => {
        const hrefs = await page.evaluate(() => [...document.querySelectorAll('a')].map((a) => a.getAttribute('href')));
        assert(!hrefs.some((h) => /^\W*(javascript|vbscript|data):/i.test(h)), `script links: ${hrefs.join(' | ')}`);
        assert(hrefs.includes(items[0].url) && hrefs.includes(items[3].url), `addresses changed: ${hrefs.join(' | ')}`);
        assert(await page.locator('#linkParent').count() === 0, 'the parent link with a script address');
    });

    await check('no dialog, page or console error, failed request or request outside the gallery', async () => {
        assert(problems.length === 0, problems.join('\n'));
    });
    await context.close();
}

finish(main);
