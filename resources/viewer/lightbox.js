/*
 * Lumarc gallery viewer: a click on a link with rel="lightbox" or rel="lightbox[group]"
 * shows its target image in an overlay, scaled to fit the window, with the caption of its
 * thumbnail cell.
 *
 * - The whole gallery: library/gallery.js lists every photo of the gallery with its caption
 *   and page, so the viewer steps across pages. Without it (a gallery made before it
 *   existed, or a page of the user's own) it steps through the links of the same rel value.
 * - An address per photo: an open photo is "#photo=" and its output name. Opening adds a
 *   history entry, so Back closes the viewer and Forward opens it again; stepping replaces
 *   that entry. A page loaded with such an address opens the photo, on its own page.
 * - Zoom: double-click, double-tap, pinch, Ctrl and the wheel, + and -; drag to pan.
 * - Keys: Left/p previous, Right/n next, Home/End, Esc/x/c close, Space slideshow, Tab
 *   stays inside. Touch: swipe sideways to step, down to close; tap outside to close.
 * - Phones: the script gives the page a device-width viewport and lightbox.css lets the
 *   thumbnail cells flow into as many columns as fit.
 *
 * Plain DOM on purpose: the gallery pages also load Prototype, which adds methods to
 * Array, Element and Function (and replaces Array.from); this file relies on none of them.
 * Its one global is the lumarcGallery() callback that library/gallery.js calls, present
 * only while that file loads.
 *
 * When the user has zoomed the page itself, the viewer covers the visual viewport (what the
 * user sees) and scales its frame, texts and buttons by 1 / zoom so they keep their size.
 */
(function () {
    'use strict';

    // Sizes in CSS pixels at a page zoom of 1; lightbox.css uses the same.
    var PANEL_PADDING = 10;      // white frame around the image
    var MIN_STAGE_WIDTH = 220;   // room for the caption and the slideshow button
    var CONTROL = 44;            // every button's side
    var SWIPE_DISTANCE = 40;
    var TAP_SLOP = 10;
    var DOUBLE_TAP_MS = 300;
    var SLIDE_MS = 4000;
    var HASH_PREFIX = '#photo=';
    var PHOTO_LIST = 'library/gallery.js';
    var SVG = 'http://www.w3.org/2000/svg';

    var ui = null;               // the overlay's elements, built on first use
    var items = [];              // the photos the viewer steps through: {name, href, caption, page, link}
    var index = 0;
    var natural = null;          // size of the image on show, once loaded
    var fitted = null;           // its size on screen at zoom 1
    var zoom = { s: 1, x: 0, y: 0 };  // scale over the fitted size, shift of the image's centre
    var loadToken = 0;           // ignores the late load of an image the user already left
    var opener = null;           // the element that had the focus before the viewer opened
    var savedOverflow = null;
    var inerted = [];            // the page's own elements, out of reach while the viewer is open
    var ownEntry = false;        // the history entry of the open photo lies on one without it
    var goingBack = false;       // closed through the history, which has not answered yet
    var waiting = null;          // an open asked for meanwhile
    var playing = false;
    var slideTimer = 0;

    var gallery = null;          // the whole gallery's photos from library/gallery.js
    var listSettled = false;
    var pageReady = false;

    // ---- the gallery's photos

    function pageName(path) {
        var name = path.substring(path.lastIndexOf('/') + 1);
        return name || 'index.html';
    }
    var here = pageName(location.pathname);

    // The output name of a photo link ("photos/NAME.jpg"), or null for any other link.
    function photoName(link) {
        var match = /\/photos\/([^\/]+)\.jpg$/i.exec(link.pathname || '');
        if (!match) return null;
        try { return decodeURIComponent(match[1]); } catch (e) { return null; }
    }

    function viewerLinks() {
        var all = document.getElementsByTagName('a'), links = [];
        for (var i = 0; i < all.length; i++) {
            var rel = all[i].getAttribute('rel') || '';
            if (rel.indexOf('lightbox') === 0 && all[i].getAttribute('href')) links.push(all[i]);
        }
        return links;
    }

    function linkItem(link) {
        return { name: photoName(link) || link.getAttribute('href'), href: link.href, caption: null, page: here, link: link };
    }

    // Where a link belongs: the whole gallery when the list has its photo, else the links of
    // the same rel value on this page (a single image for a plain rel="lightbox").
    function sequenceOf(link) {
        var name = photoName(link);
        if (gallery && name !== null) {
            for (var i = 0; i < gallery.length; i++) {
                if (gallery[i].name === name) return { list: withLinks(gallery), at: i };
            }
        }
        var rel = link.getAttribute('rel'), links = rel === 'lightbox' ? [link] : [], all = viewerLinks();
        for (var j = 0; rel !== 'lightbox' && j < all.length; j++) {
            if (all[j].getAttribute('rel') === rel) links.push(all[j]);
        }
        var list = links.map(linkItem);
        return { list: list, at: Math.max(0, links.indexOf(link)) };
    }

    // The list's photos that this page shows get their links: their captions and addresses
    // come from the page itself, and the focus returns to them.
    function withLinks(list) {
        var byName = {}, links = viewerLinks();
        for (var i = 0; i < links.length; i++) {
            var name = photoName(links[i]);
            if (name !== null && !(name in byName)) byName[name] = links[i];
        }
        return list.map(function (photo) {
            var link = photo.page === here && byName.hasOwnProperty(photo.name) ? byName[photo.name] : null;
            return { name: photo.name, href: link ? link.href : photo.href, caption: photo.caption, page: photo.page, link: link };
        });
    }

    function loadGalleryList() {
        window.lumarcGallery = function (data) {
            var photos = data && data.photos, list = [];
            if (!Array.isArray(photos)) return;
            for (var i = 0; i < photos.length; i++) {
                var p = photos[i];
                if (!p || typeof p.name !== 'string' || typeof p.caption !== 'string' || typeof p.page !== 'string'
                    || !/^(index|zeb[0-9]*)\.html$/.test(p.page)) return;
                list.push({ name: p.name, caption: p.caption, page: p.page,
                            href: new URL('photos/' + encodeURIComponent(p.name) + '.jpg', document.baseURI).href });
            }
            gallery = list;
        };
        var script = document.createElement('script');
        script.src = PHOTO_LIST;
        script.onload = script.onerror = function () {
            try { delete window.lumarcGallery; } catch (e) { window.lumarcGallery = undefined; }
            listSettled = true;
            openFromAddress();
        };
        (document.head || document.documentElement).appendChild(script);
    }

    // ---- the address

    function addressedName() {
        if (location.hash.indexOf(HASH_PREFIX) !== 0) return null;
        try { return decodeURIComponent(location.hash.substring(HASH_PREFIX.length)); } catch (e) { return null; }
    }

    function photoHash(name) { return HASH_PREFIX + encodeURIComponent(name); }

    function addressOf(photo, add) {
        var hash = photoHash(photo.name);
        if (location.hash === hash) return;
        if (add) {
            location.hash = hash;
            ownEntry = true;
        } else {
            location.replace(hash);
        }
    }

    // Pages opened from disk may not change their address through the history (their
    // origin is opaque): there the address keeps an empty "#".
    function clearAddress() {
        try {
            history.replaceState(history.state, '', location.href.split('#')[0]);
        } catch (e) {
            location.replace('#');
        }
    }

    // A page opened at a photo's address: the photo opens, on the page that shows it. No
    // history entry is added: browsers skip entries a page adds while it loads, and Back
    // leaves for where the visitor came from. Closing takes the photo out of the address.
    function openFromAddress() {
        if (!listSettled || !pageReady) return;
        var name = addressedName();
        if (name === null) return;
        var links = viewerLinks(), link = null;
        for (var i = 0; i < links.length && !link; i++) {
            if (photoName(links[i]) === name) link = links[i];
        }
        if (!link) {
            for (var j = 0; gallery && j < gallery.length; j++) {
                if (gallery[j].name === name && gallery[j].page !== here) {
                    location.replace(gallery[j].page + location.search + photoHash(name));
                    return;
                }
            }
            return;
        }
        var sequence = sequenceOf(link);
        open(sequence.list, sequence.at, false, link);
    }

    window.addEventListener('hashchange', function () {
        var name = addressedName();
        if (goingBack) {
            goingBack = false;
            var asked = waiting;
            waiting = null;
            if (asked) open.apply(null, asked);
            return;
        }
        if (name === null) {
            if (isOpen()) close(true);
            return;
        }
        if (isOpen() && items[index] && items[index].name === name) return;
        var list = isOpen() ? items : (gallery ? withLinks(gallery) : viewerLinks().map(linkItem));
        for (var i = 0; i < list.length; i++) {
            if (list[i].name === name) {
                ownEntry = true;     // reached by Forward, or typed: the page lies behind it
                open(list, i, false, list[i].link);
                return;
            }
        }
        if (!isOpen()) openFromAddress();
    });

    // ---- the overlay

    function element(tag, id, className) {
        var e = document.createElement(tag);
        if (id) e.id = id;
        if (className) e.className = className;
        return e;
    }

    // A button drawn as an SVG path, so it stays sharp at any pixel density.
    function button(id, label, paths) {
        var b = element('button', id, 'lbx-control');
        b.type = 'button';
        b.setAttribute('aria-label', label);
        b.title = label;
        var svg = document.createElementNS(SVG, 'svg');
        svg.setAttribute('viewBox', '0 0 24 24');
        svg.setAttribute('aria-hidden', 'true');
        svg.setAttribute('focusable', 'false');
        for (var i = 0; i < paths.length; i++) {
            var path = document.createElementNS(SVG, 'path');
            path.setAttribute('d', paths[i]);
            svg.appendChild(path);
        }
        b.appendChild(svg);
        return b;
    }

    function build() {
        ui = {};
        ui.overlay = element('div', 'lbx-overlay');
        ui.overlay.setAttribute('role', 'dialog');
        ui.overlay.setAttribute('aria-modal', 'true');
        ui.overlay.setAttribute('aria-label', 'Image viewer');

        ui.panel = element('div', 'lbx-panel');
        ui.stage = element('div', 'lbx-stage');
        ui.image = element('img', 'lbx-image');
        ui.image.alt = '';
        ui.image.draggable = false;
        ui.loading = element('div', 'lbx-loading');
        ui.prev = button('lbx-prev', 'Previous image', ['M15 5l-7 7 7 7']);
        ui.next = button('lbx-next', 'Next image', ['M9 5l7 7-7 7']);
        ui.stage.appendChild(ui.image);
        ui.stage.appendChild(ui.loading);
        ui.stage.appendChild(ui.prev);
        ui.stage.appendChild(ui.next);

        ui.data = element('div', 'lbx-data');
        ui.play = button('lbx-play', 'Start slideshow', ['M8 5v14l11-7z', 'M7 5h3.5v14H7zM13.5 5H17v14h-3.5z']);
        ui.play.setAttribute('aria-pressed', 'false');
        ui.caption = element('div', 'lbx-caption');
        ui.counter = element('div', 'lbx-counter');
        ui.counter.setAttribute('aria-live', 'polite');
        ui.data.appendChild(ui.play);
        ui.data.appendChild(ui.caption);
        ui.data.appendChild(ui.counter);

        ui.panel.appendChild(ui.stage);
        ui.panel.appendChild(ui.data);
        ui.overlay.appendChild(ui.panel);
        ui.close = button('lbx-close', 'Close', ['M6 6l12 12M18 6L6 18']);
        ui.overlay.appendChild(ui.close);
        document.body.appendChild(ui.overlay);

        ui.prev.addEventListener('click', function () { step(-1); });
        ui.next.addEventListener('click', function () { step(1); });
        ui.play.addEventListener('click', function () { setPlaying(!playing); });
        ui.close.addEventListener('click', function () { close(false); });
        // Only a click on the dimmed area itself closes: caption links must stay usable.
        ui.overlay.addEventListener('click', function (e) {
            if (e.target === ui.overlay) close(false);
        });
        ui.stage.addEventListener('dblclick', function (e) {
            if (e.target === ui.image && lastPointerType === 'mouse') toggleZoom(e.clientX, e.clientY);
        });
        ui.overlay.addEventListener('wheel', function (e) {
            if (!e.ctrlKey || !natural) return;
            e.preventDefault();
            zoomAt(zoom.s * Math.exp(-e.deltaY / 300), e.clientX, e.clientY);
        }, { passive: false });
        ui.overlay.addEventListener('pointerdown', onPointerDown);
        window.addEventListener('pointermove', onPointerMove);
        window.addEventListener('pointerup', onPointerUp);
        window.addEventListener('pointercancel', onPointerUp);
    }

    function isOpen() {
        return ui !== null && ui.overlay.className.indexOf('lbx-open') !== -1;
    }

    // Shows list[at]; a closed viewer opens, with a history entry of its own when `add`.
    function open(list, at, add, from) {
        if (goingBack) {
            waiting = [list, at, add, from];
            return;
        }
        if (!ui) build();
        items = list;
        index = at;
        if (!isOpen()) {
            opener = from || document.activeElement;
            // Quirks-mode pages scroll the body, standards-mode pages the root element.
            savedOverflow = [document.documentElement.style.overflow, document.body.style.overflow];
            document.documentElement.style.overflow = 'hidden';
            document.body.style.overflow = 'hidden';
            for (var node = document.body.firstElementChild; node; node = node.nextElementSibling) {
                if (node !== ui.overlay && !node.inert) {
                    node.inert = true;
                    inerted.push(node);
                }
            }
            ui.overlay.className = 'lbx-open';
            document.addEventListener('keydown', onKey, true);
            document.addEventListener('keyup', onKeyUp, true);
            window.addEventListener('resize', refit);
            if (window.visualViewport) {
                window.visualViewport.addEventListener('resize', refit);
                window.visualViewport.addEventListener('scroll', refit);
            }
            place();
            show();
            addressOf(items[index], add);
            ui.close.focus({ preventScroll: true });
        } else {
            show();
        }
    }

    // fromHistory: the address has left the photo already (Back, or an edited address).
    function close(fromHistory) {
        if (!isOpen()) return;
        var photo = items[index];
        loadToken++;
        setPlaying(false);
        resetZoom();
        ui.overlay.className = '';
        ui.image.removeAttribute('src');
        natural = fitted = null;
        document.documentElement.style.overflow = savedOverflow[0];
        document.body.style.overflow = savedOverflow[1];
        for (var i = 0; i < inerted.length; i++) inerted[i].inert = false;
        inerted = [];
        document.removeEventListener('keydown', onKey, true);
        document.removeEventListener('keyup', onKeyUp, true);
        window.removeEventListener('resize', refit);
        if (window.visualViewport) {
            window.visualViewport.removeEventListener('resize', refit);
            window.visualViewport.removeEventListener('scroll', refit);
        }
        var back = photo && photo.link ? photo.link : opener;
        if (back && back.focus) back.focus({ preventScroll: !(photo && photo.link) });
        if (!fromHistory && addressedName() !== null) {
            if (ownEntry) {
                goingBack = true;
                history.back();
            } else {
                clearAddress();
            }
        }
        ownEntry = false;
    }

    function step(delta) {
        var target = Math.max(0, Math.min(items.length - 1, index + delta));
        if (target === index) return;
        index = target;
        show();
        addressOf(items[index], false);
    }

    // The caption: a copy of the nodes the page itself parsed in the cell's title (the
    // author's HTML, links included), or the list's caption HTML for a photo of another page.
    // A link's title attribute is never parsed as markup: the browser has decoded it already,
    // so escaped text in it would come back as live HTML.
    function captionNodes(photo) {
        var fragment = document.createDocumentFragment(), source = null;
        if (photo.link) {
            var cell = photo.link.parentNode;
            while (cell && cell.nodeName !== 'TD') cell = cell.parentNode;
            source = cell ? cell.querySelector('font.tdTitle') : null;
        }
        if (source) {
            for (var node = source.firstChild; node; node = node.nextSibling) fragment.appendChild(node.cloneNode(true));
        } else if (photo.caption !== null) {
            var template = document.createElement('template');
            template.innerHTML = photo.caption;
            fragment.appendChild(template.content.cloneNode(true));
        } else if (photo.link) {
            fragment.appendChild(document.createTextNode(photo.link.getAttribute('title') || ''));
        }
        return fragment;
    }

    // The title as plain text: the caption without the image's own link at its end.
    function altText(fragment) {
        var copy = fragment.cloneNode(true), last = copy.lastChild;
        while (last && last.nodeType === 3 && !last.nodeValue.trim()) last = last.previousSibling;
        if (last && last.nodeType === 1 && last.className === 'linkDevalVr') copy.removeChild(last);
        return copy.textContent.replace(/\s+/g, ' ').trim();
    }

    function show() {
        var photo = items[index];
        var token = ++loadToken;
        var preload = new Image();

        clearTimeout(slideTimer);
        resetZoom();
        natural = fitted = null;
        ui.panel.className = 'lbx-busy';
        showArrows();
        var caption = captionNodes(photo);
        ui.image.alt = altText(caption);
        while (ui.caption.firstChild) ui.caption.removeChild(ui.caption.firstChild);
        ui.caption.appendChild(caption);
        ui.caption.style.display = ui.caption.firstChild ? '' : 'none';
        ui.counter.textContent = items.length > 1 ? 'Image ' + (index + 1) + ' of ' + items.length : '';
        ui.counter.style.display = items.length > 1 ? '' : 'none';
        ui.play.style.display = items.length > 1 ? '' : 'none';

        preload.onload = function () {
            if (token !== loadToken) return;
            ui.image.src = preload.src;
            natural = { w: preload.naturalWidth, h: preload.naturalHeight };
            fit();
            ui.panel.className = '';
            warm(index + 1);
            warm(index - 1);
            if (playing) slideTimer = setTimeout(advance, SLIDE_MS);
        };
        preload.onerror = function () {
            if (token !== loadToken) return;
            ui.panel.className = 'lbx-failed';
            if (playing) slideTimer = setTimeout(advance, SLIDE_MS);
        };
        preload.src = photo.href;
    }

    function showArrows() {
        ui.prev.style.display = index > 0 ? '' : 'none';
        ui.next.style.display = index < items.length - 1 ? '' : 'none';
    }

    // Starts loading a neighbour so that the next step shows it at once.
    var warmed = [];
    function warm(i) {
        if (i < 0 || i >= items.length) return;
        var image = new Image();
        image.src = items[i].href;
        warmed.push(image);           // held until the browser has it
        if (warmed.length > 4) warmed.shift();
    }

    // ---- slideshow

    // Started on the last photo, the show begins again at the first.
    function setPlaying(on) {
        clearTimeout(slideTimer);
        playing = on;
        if (!ui) return;
        ui.play.setAttribute('aria-pressed', on ? 'true' : 'false');
        ui.play.setAttribute('aria-label', on ? 'Pause slideshow' : 'Start slideshow');
        ui.play.title = ui.play.getAttribute('aria-label');
        ui.play.className = on ? 'lbx-control lbx-playing' : 'lbx-control';
        if (!on) return;
        if (index === items.length - 1) step(-index);
        else if (natural) slideTimer = setTimeout(advance, SLIDE_MS);
    }

    // The show ends at the last photo.
    function advance() {
        if (index >= items.length - 1) setPlaying(false);
        else step(1);
    }

    // ---- layout

    // Lays the overlay over the visible part of the page; returns that area and the factor
    // that keeps the viewer's own sizes constant on screen.
    function place() {
        var v = window.visualViewport;
        var area = v ? { x: v.offsetLeft, y: v.offsetTop, w: v.width, h: v.height, k: 1 / v.scale }
                     : { x: 0, y: 0, w: window.innerWidth, h: window.innerHeight, k: 1 };
        var style = ui.overlay.style;
        style.left = area.x + 'px';
        style.top = area.y + 'px';
        style.width = area.w + 'px';
        style.height = area.h + 'px';
        style.setProperty('--lbx-k', String(area.k));
        return area;
    }

    function refit() {
        resetZoom();
        fit();
    }

    // Scales the image to the largest size that keeps the panel and its caption inside the
    // visible area; never larger on screen than at a page zoom of 1. On a narrow screen the
    // close button gets a row of its own above the panel. The caption wraps at the image
    // width, so its height is measured after each width change.
    function fit() {
        var area = place();
        if (!natural || !natural.w || !natural.h) return;
        var naturalW = natural.w, naturalH = natural.h;
        var narrow = area.w / area.k < 600;
        var marginX = (narrow ? 8 : 32) * area.k;
        var marginY = (narrow ? CONTROL + 12 : 32) * area.k;
        var padding = PANEL_PADDING * area.k;
        var maxW = area.w - 2 * (marginX + padding);
        var maxH = area.h - 2 * (marginY + padding);
        var minW = Math.min(MIN_STAGE_WIDTH * area.k, maxW);
        var largest = Math.max(1, area.k);
        var w = Math.min(naturalW * largest, maxW), h;
        for (var pass = 0; pass < 2; pass++) {
            ui.data.style.width = Math.max(w, minW) + 'px';
            var scale = Math.min(largest, maxW / naturalW, (maxH - ui.data.offsetHeight) / naturalH);
            w = Math.max(1, Math.floor(naturalW * scale));
            h = Math.max(1, Math.floor(naturalH * scale));
        }
        var stageW = Math.max(w, minW);
        ui.image.style.width = w + 'px';
        ui.image.style.height = h + 'px';
        ui.stage.style.width = stageW + 'px';
        ui.stage.style.height = h + 'px';
        ui.data.style.width = stageW + 'px';
        fitted = { w: w, h: h };
    }

    // ---- zoom and pan

    function applyZoom() {
        var on = zoom.s > 1;
        ui.image.style.transform = on || zoom.x || zoom.y
            ? 'translate(' + zoom.x + 'px,' + zoom.y + 'px) scale(' + zoom.s + ')' : '';
        ui.panel.classList.toggle('lbx-zoomed', on);
    }

    function resetZoom() {
        zoom = { s: 1, x: 0, y: 0 };
        if (ui) applyZoom();
    }

    // Where the image's centre is at zoom 1, in the window's coordinates.
    function imageCentre() {
        var r = ui.stage.getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + fitted.h / 2 };
    }

    // At least twice the fitted size, or the photo's own size when that is larger.
    function doubleTapScale() { return Math.max(2, natural.w / fitted.w); }
    function maxScale() { return Math.max(4, 2 * natural.w / fitted.w); }

    // Keeps a zoomed image covering the window where it is larger than it, and inside it
    // where it is smaller.
    function clampPan() {
        var c = imageCentre(), r = ui.overlay.getBoundingClientRect();
        var axes = [['x', c.x, fitted.w, r.left, r.right], ['y', c.y, fitted.h, r.top, r.bottom]];
        for (var i = 0; i < 2; i++) {
            var a = axes[i], size = a[2] * zoom.s, start = a[1] + zoom[a[0]] - size / 2;
            var low = Math.min(a[3], a[4] - size), high = Math.max(a[3], a[4] - size);
            zoom[a[0]] += Math.min(high, Math.max(low, start)) - start;
        }
    }

    // Zooms to `scale`, keeping the point (x, y) of the window where it is.
    function zoomAt(scale, x, y) {
        if (!fitted || !natural) return;
        scale = Math.min(maxScale(), Math.max(1, scale));
        var c = imageCentre(), k = scale / zoom.s;
        zoom.x = x - (x - (c.x + zoom.x)) * k - c.x;
        zoom.y = y - (y - (c.y + zoom.y)) * k - c.y;
        zoom.s = scale;
        if (scale === 1) zoom.x = zoom.y = 0;
        clampPan();
        applyZoom();
    }

    function toggleZoom(x, y) {
        if (!fitted || !natural) return;
        if (zoom.s > 1) resetZoom();
        else zoomAt(doubleTapScale(), x, y);
    }

    // Pointers: one drags (pans a zoomed image, swipes a fitted one), two pinch; a quick
    // touch that does not move is a tap, two of them a double tap.
    var pointers = {};
    var gesture = null;
    var lastTap = null;
    var lastPointerType = 'mouse';

    function isControl(node) {
        for (; node && node !== ui.overlay; node = node.parentNode) {
            if (node.nodeName === 'BUTTON' || node.nodeName === 'A' || node === ui.data) return true;
        }
        return false;
    }

    function beginGesture(quiet) {
        var ids = Object.keys(pointers);
        if (ids.length === 1) {
            var p = pointers[ids[0]];
            gesture = { kind: 'drag', x0: p.x, y0: p.y, zx: zoom.x, zy: zoom.y, t0: Date.now(), moved: false, quiet: quiet };
        } else if (ids.length === 2) {
            var a = pointers[ids[0]], b = pointers[ids[1]];
            gesture = { kind: 'pinch', d0: Math.max(1, Math.hypot(a.x - b.x, a.y - b.y)),
                        m0: { x: (a.x + b.x) / 2, y: (a.y + b.y) / 2 }, s0: zoom.s, zx: zoom.x, zy: zoom.y };
        } else {
            gesture = null;
        }
    }

    function onPointerDown(e) {
        lastPointerType = e.pointerType;
        if (playing && e.target !== ui.play && !ui.play.contains(e.target)) setPlaying(false);
        if ((e.pointerType === 'mouse' && e.button !== 0) || isControl(e.target) || !fitted) return;
        pointers[e.pointerId] = { x: e.clientX, y: e.clientY };
        beginGesture(Object.keys(pointers).length > 1);
        if (e.pointerType === 'mouse' && zoom.s > 1) e.preventDefault();   // no text selection while panning
    }

    function onPointerMove(e) {
        if (!pointers.hasOwnProperty(e.pointerId) || !gesture) return;
        pointers[e.pointerId] = { x: e.clientX, y: e.clientY };
        var g = gesture;
        if (g.kind === 'pinch') {
            var ids = Object.keys(pointers), a = pointers[ids[0]], b = pointers[ids[1]];
            var m = { x: (a.x + b.x) / 2, y: (a.y + b.y) / 2 };
            zoom = { s: g.s0, x: g.zx, y: g.zy };
            zoomAt(g.s0 * Math.hypot(a.x - b.x, a.y - b.y) / g.d0, g.m0.x, g.m0.y);
            zoom.x += m.x - g.m0.x;
            zoom.y += m.y - g.m0.y;
            clampPan();
            applyZoom();
            return;
        }
        var dx = e.clientX - g.x0, dy = e.clientY - g.y0;
        if (Math.abs(dx) > TAP_SLOP || Math.abs(dy) > TAP_SLOP) g.moved = true;
        if (zoom.s > 1) {
            zoom.x = g.zx + dx;
            zoom.y = g.zy + dy;
            clampPan();
            applyZoom();
        } else if (e.pointerType !== 'mouse' && !g.quiet && g.moved) {
            // The photo follows the finger: sideways for a step, down for closing.
            var sideways = Math.abs(dx) > Math.abs(dy);
            ui.image.style.transform = sideways ? 'translate(' + dx + 'px,0)' : 'translate(0,' + Math.max(0, dy) + 'px)';
        }
    }

    function onPointerUp(e) {
        if (!pointers.hasOwnProperty(e.pointerId)) return;
        delete pointers[e.pointerId];
        var g = gesture, left = Object.keys(pointers).length;
        if (g && g.kind === 'drag' && left === 0 && e.type === 'pointerup' && !g.quiet) {
            var dx = e.clientX - g.x0, dy = e.clientY - g.y0;
            if (zoom.s === 1 && e.pointerType !== 'mouse') {
                applyZoom();
                if (Math.abs(dx) > SWIPE_DISTANCE && Math.abs(dx) > 2 * Math.abs(dy)) step(dx < 0 ? 1 : -1);
                else if (dy > 1.5 * SWIPE_DISTANCE && dy > 2 * Math.abs(dx)) close(false);
            }
            if (!g.moved && e.pointerType !== 'mouse' && Date.now() - g.t0 < 500) tap(e);
        } else if (zoom.s === 1) {
            applyZoom();
        }
        // A finger left on the glass after a pinch pans, but neither swipes nor taps.
        if (left > 0) beginGesture(true);
        else gesture = null;
    }

    function tap(e) {
        var now = Date.now();
        if (lastTap && now - lastTap.t < DOUBLE_TAP_MS && Math.abs(e.clientX - lastTap.x) < 3 * TAP_SLOP
            && Math.abs(e.clientY - lastTap.y) < 3 * TAP_SLOP) {
            lastTap = null;
            if (e.target === ui.image) toggleZoom(e.clientX, e.clientY);
        } else {
            lastTap = { t: now, x: e.clientX, y: e.clientY };
        }
    }

    // ---- keys

    function focusables() {
        var all = ui.overlay.querySelectorAll('button, a[href]'), shown = [];
        for (var i = 0; i < all.length; i++) {
            if (all[i].getClientRects().length && getComputedStyle(all[i]).visibility !== 'hidden') shown.push(all[i]);
        }
        return shown;
    }

    // Tab and Shift+Tab go round the viewer's own controls and caption links.
    function keepFocusInside(backwards) {
        var list = focusables();
        if (!list.length) return;
        var at = list.indexOf(document.activeElement);
        var next = at === -1 ? (backwards ? list.length - 1 : 0) : (at + (backwards ? list.length - 1 : 1)) % list.length;
        list[next].focus();
    }

    function onKey(e) {
        var key = e.key;
        if (key === 'Tab' && !e.ctrlKey && !e.altKey && !e.metaKey) {
            keepFocusInside(e.shiftKey);
        } else if (e.ctrlKey || e.altKey || e.metaKey) {
            return;
        } else if (key === ' ' || key === 'Spacebar') {
            setPlaying(!playing);
        } else if (key === 'Enter') {
            return;              // the focused control's own action
        } else {
            if (playing) setPlaying(false);
            if (key === 'ArrowLeft' || key === 'Left' || key === 'p' || key === 'P') step(-1);
            else if (key === 'ArrowRight' || key === 'Right' || key === 'n' || key === 'N') step(1);
            else if (key === 'Home') step(-index);
            else if (key === 'End') step(items.length - 1 - index);
            else if (key === 'Escape' || key === 'Esc' || key === 'x' || key === 'X' || key === 'c' || key === 'C') close(false);
            else if ((key === '+' || key === '=' || key === '-') && fitted) {
                var c = imageCentre();
                zoomAt(zoom.s * (key === '-' ? 1 / 1.5 : 1.5), c.x + zoom.x, c.y + zoom.y);
            }
            else return;
        }
        e.preventDefault();
        e.stopPropagation();
    }

    // Space is the slideshow's key: a focused button must not act on it as well.
    function onKeyUp(e) {
        if (e.key === ' ' || e.key === 'Spacebar') e.preventDefault();
    }

    // ---- start

    // Phones get the page at their own width; lightbox.css then lets the cells flow.
    if (!document.querySelector('meta[name="viewport"]')) {
        var viewport = document.createElement('meta');
        viewport.name = 'viewport';
        viewport.content = 'width=device-width, initial-scale=1';
        (document.head || document.documentElement).appendChild(viewport);
    }

    // One listener for the whole page also covers links added after load.
    document.addEventListener('click', function (e) {
        if (e.defaultPrevented || e.button !== 0 || e.ctrlKey || e.shiftKey || e.metaKey || e.altKey) return;
        var node = e.target;
        while (node && !(node.nodeType === 1 && node.nodeName === 'A')) node = node.parentNode;
        if (!node) return;
        var rel = node.getAttribute('rel') || '';
        if (rel.indexOf('lightbox') !== 0 || !node.getAttribute('href')) return;
        if (ui && ui.overlay.contains(node)) return;  // a link inside the caption
        e.preventDefault();
        var sequence = sequenceOf(node);
        open(sequence.list, sequence.at, true, node);
    });

    loadGalleryList();
    function onReady() {
        pageReady = true;
        openFromAddress();
    }
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', onReady);
    else onReady();
})();
