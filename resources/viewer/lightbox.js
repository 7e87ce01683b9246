/*
 * Lumarc gallery viewer: a click on a link with rel="lightbox" or rel="lightbox[group]"
 * shows its target image in an overlay, scaled to fit the window, with the caption of its
 * thumbnail cell and previous/next within the links of the same rel value.
 * Keys: Left/p previous, Right/n next, Esc/x/c close. Touch: swipe to move, tap outside
 * to close.
 *
 * Plain DOM on purpose: the gallery pages also load Prototype, which adds methods to
 * Array, Element and Function; this file relies on none of them and defines no globals.
 * The images live in images/ next to the style sheet, which refers to them itself.
 *
 * The gallery pages have no viewport meta tag, so phones show them zoomed out to a
 * desktop width. The viewer therefore covers the visual viewport (what the user sees)
 * and scales its frame, texts and buttons by 1 / zoom, so they keep their size on screen.
 */
(function () {
    'use strict';

    // Sizes in CSS pixels at a page zoom of 1; lightbox.css uses the same.
    var PANEL_PADDING = 10;      // white frame around the image
    var MIN_STAGE_WIDTH = 220;   // room for the caption and the close label
    var SWIPE_DISTANCE = 40;

    var ui = null;               // the overlay's elements, built on first use
    var group = [];              // links of the open group, in document order
    var index = 0;
    var natural = null;          // size of the image on show, once loaded
    var loadToken = 0;           // ignores the late load of an image the user already left
    var lastFocus = null;
    var savedOverflow = null;

    function element(tag, id, className) {
        var e = document.createElement(tag);
        if (id) e.id = id;
        if (className) e.className = className;
        return e;
    }

    // Tooltips only on the close buttons: over the image halves they would cover the photo.
    function button(id, label, tooltip) {
        var b = element('button', id);
        b.type = 'button';
        b.setAttribute('aria-label', label);
        if (tooltip) b.title = label;
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
        ui.loading = element('div', 'lbx-loading');
        ui.prev = button('lbx-prev', 'Previous image');
        ui.next = button('lbx-next', 'Next image');
        ui.prev.appendChild(element('span', null, 'lbx-label'));
        ui.next.appendChild(element('span', null, 'lbx-label'));
        ui.stage.appendChild(ui.image);
        ui.stage.appendChild(ui.loading);
        ui.stage.appendChild(ui.prev);
        ui.stage.appendChild(ui.next);

        ui.data = element('div', 'lbx-data');
        ui.closeLabel = button('lbx-close', 'Close', true);
        ui.caption = element('div', 'lbx-caption');
        ui.counter = element('div', 'lbx-counter');
        ui.data.appendChild(ui.closeLabel);
        ui.data.appendChild(ui.caption);
        ui.data.appendChild(ui.counter);

        ui.panel.appendChild(ui.stage);
        ui.panel.appendChild(ui.data);
        ui.overlay.appendChild(ui.panel);
        ui.closeCorner = button('lbx-close-corner', 'Close', true);
        ui.overlay.appendChild(ui.closeCorner);
        document.body.appendChild(ui.overlay);

        ui.prev.addEventListener('click', function (e) { e.stopPropagation(); step(-1); });
        ui.next.addEventListener('click', function (e) { e.stopPropagation(); step(1); });
        ui.closeLabel.addEventListener('click', close);
        ui.closeCorner.addEventListener('click', close);
        // Only a click on the dimmed area itself closes: caption links must stay usable.
        ui.overlay.addEventListener('click', function (e) {
            if (e.target === ui.overlay) close();
        });

        var touchX = 0, touchY = 0;
        ui.stage.addEventListener('touchstart', function (e) {
            if (e.touches.length !== 1) return;
            touchX = e.touches[0].clientX;
            touchY = e.touches[0].clientY;
        }, { passive: true });
        ui.stage.addEventListener('touchend', function (e) {
            if (e.changedTouches.length !== 1) return;
            var dx = e.changedTouches[0].clientX - touchX;
            var dy = e.changedTouches[0].clientY - touchY;
            if (Math.abs(dx) > SWIPE_DISTANCE && Math.abs(dx) > 2 * Math.abs(dy)) {
                e.preventDefault();                 // no click on the half under the finger
                step(dx < 0 ? 1 : -1);
            }
        });
    }

    function isOpen() {
        return ui !== null && ui.overlay.className.indexOf('lbx-open') !== -1;
    }

    function groupOf(link) {
        var rel = link.getAttribute('rel');
        if (rel === 'lightbox') return [link];      // no group name: a single image
        var all = document.getElementsByTagName('a');
        var members = [];
        for (var i = 0; i < all.length; i++) {
            if (all[i].getAttribute('rel') === rel) members.push(all[i]);
        }
        return members;
    }

    function open(link) {
        if (!ui) build();
        group = groupOf(link);
        index = Math.max(0, group.indexOf(link));
        if (!isOpen()) {
            lastFocus = document.activeElement;
            // Quirks-mode pages scroll the body, standards-mode pages the root element.
            savedOverflow = [document.documentElement.style.overflow, document.body.style.overflow];
            document.documentElement.style.overflow = 'hidden';
            document.body.style.overflow = 'hidden';
            ui.overlay.className = 'lbx-open';
            document.addEventListener('keydown', onKey, true);
            window.addEventListener('resize', fit);
            if (window.visualViewport) {
                window.visualViewport.addEventListener('resize', fit);
                window.visualViewport.addEventListener('scroll', fit);
            }
        }
        place();
        show();
        ui.closeLabel.focus({ preventScroll: true });
    }

    function close() {
        if (!isOpen()) return;
        loadToken++;
        ui.overlay.className = '';
        ui.image.removeAttribute('src');
        natural = null;
        document.documentElement.style.overflow = savedOverflow[0];
        document.body.style.overflow = savedOverflow[1];
        document.removeEventListener('keydown', onKey, true);
        window.removeEventListener('resize', fit);
        if (window.visualViewport) {
            window.visualViewport.removeEventListener('resize', fit);
            window.visualViewport.removeEventListener('scroll', fit);
        }
        if (lastFocus && lastFocus.focus) lastFocus.focus();
    }

    function step(delta) {
        var target = index + delta;
        if (target < 0 || target >= group.length) return;
        index = target;
        show();
    }

    // The caption is a copy of the nodes the page itself parsed in the cell's title (the
    // author's HTML, links included). The link's title attribute is never parsed as markup:
    // the browser has decoded it already, so escaped text in it would come back as live HTML.
    function setCaption(link) {
        var cell = link.parentNode;
        while (cell && cell.nodeName !== 'TD') cell = cell.parentNode;
        var source = cell ? cell.querySelector('font.tdTitle') : null;
        while (ui.caption.firstChild) ui.caption.removeChild(ui.caption.firstChild);
        if (source) {
            for (var node = source.firstChild; node; node = node.nextSibling)
                ui.caption.appendChild(node.cloneNode(true));
        } else {
            ui.caption.textContent = link.getAttribute('title') || '';
        }
        ui.caption.style.display = ui.caption.firstChild ? '' : 'none';
    }

    function show() {
        var link = group[index];
        var token = ++loadToken;
        var preload = new Image();

        natural = null;
        ui.panel.className = 'lbx-busy';
        showArrows(false);
        setCaption(link);
        ui.counter.textContent = group.length > 1 ? 'Image ' + (index + 1) + ' of ' + group.length : '';
        ui.counter.style.display = group.length > 1 ? '' : 'none';

        preload.onload = function () {
            if (token !== loadToken) return;
            ui.image.src = preload.src;
            natural = { w: preload.naturalWidth, h: preload.naturalHeight };
            fit();
            ui.panel.className = '';
            showArrows(true);
            warm(index - 1);
            warm(index + 1);
        };
        preload.onerror = function () {
            if (token !== loadToken) return;
            ui.panel.className = 'lbx-failed';
            showArrows(true);
        };
        preload.src = link.href;
    }

    function showArrows(on) {
        ui.prev.style.display = on && index > 0 ? '' : 'none';
        ui.next.style.display = on && index < group.length - 1 ? '' : 'none';
    }

    // Starts loading a neighbour so that the next step shows it at once.
    function warm(i) {
        if (i >= 0 && i < group.length) new Image().src = group[i].href;
    }

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

    // Scales the image to the largest size that keeps the panel and its caption inside the
    // visible area; never larger on screen than at a page zoom of 1. The caption wraps at
    // the image width, so its height is measured after each width change.
    function fit() {
        var area = place();
        if (!natural || !natural.w || !natural.h) return;
        var naturalW = natural.w, naturalH = natural.h;
        var margin = (area.w / area.k < 600 ? 8 : 32) * area.k;
        var padding = PANEL_PADDING * area.k;
        var maxW = area.w - 2 * (margin + padding);
        var maxH = area.h - 2 * (margin + padding);
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
    }

    function onKey(e) {
        if (e.ctrlKey || e.altKey || e.metaKey) return;
        var key = e.key;
        if (key === 'ArrowLeft' || key === 'Left' || key === 'p' || key === 'P') step(-1);
        else if (key === 'ArrowRight' || key === 'Right' || key === 'n' || key === 'N') step(1);
        else if (key === 'Escape' || key === 'Esc' || key === 'x' || key === 'X' || key === 'c' || key === 'C') close();
        else return;
        e.preventDefault();
        e.stopPropagation();
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
        open(node);
    });
})();
