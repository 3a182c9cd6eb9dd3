// The room display page: keeps the mission count running from the last state the program sent and from its
// own measured offset to the program's mission clock. The program sends a state on every transition only.
'use strict';

(() => {
    const MONTHS = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August', 'September',
        'October', 'November', 'December'];
    const LAMPS = [{ limit: 3600, parity: 0 }, { limit: 600, parity: 0 }, { limit: 60, parity: 1 }];
    const SYNC_EVERY_MS = 30000;
    const SYNC_SAMPLES = 8;
    const RETRY_FIRST_MS = 500;
    const RETRY_MAX_MS = 10000;

    const el = id => document.getElementById(id);
    const ui = {
        sign: el('sign'), days: el('days'), hours: el('hours'), minutes: el('minutes'), seconds: el('seconds'),
        lamps: [el('lamp0'), el('lamp1'), el('lamp2')], target: el('targetText'), window: el('window'),
        windowText: el('windowText'), warning: el('warning'), status: el('status'),
    };

    let state = null;     // the last state received
    let offset = null;    // mission clock minus local clock, in ms
    let bestRtt = Infinity;
    let socket = null;
    let retryMs = RETRY_FIRST_MS;
    let flipTimer = 0;
    let syncTimer = 0;
    let nextPing = 0;
    let round = null;     // the measurement in progress: samples left and the best one so far
    const sent = new Map();

    // Every change of the seconds, and the page's reading of the mission clock, for whoever measures how
    // closely the page follows the program.
    window.tarvaneFlips = [];
    window.tarvaneMissionNow = () => (offset === null ? null : localNow() + offset);
    window.tarvaneStates = 0;

    const localNow = () => performance.timeOrigin + performance.now();
    const pad = (n, digits) => String(n).padStart(digits, '0');
    const floorDiv = (a, b) => Math.floor(a / b);

    function heldTargetText(sec) {
        const d = new Date(sec * 1000); // the mission clock counts on the civil calendar, read here as UTC
        const h = d.getUTCHours();
        return `${MONTHS[d.getUTCMonth()]} ${d.getUTCDate()}, ${pad(d.getUTCFullYear(), 4)}   ` +
            `${h % 12 === 0 ? 12 : h % 12}:${pad(d.getUTCMinutes(), 2)}:${pad(d.getUTCSeconds(), 2)} ` +
            (h < 12 ? 'AM' : 'PM');
    }

    function runningWindowText(secs) {
        return `${pad(floorDiv(secs, 3600), 2)}:${pad(floorDiv(secs % 3600, 60), 2)}:${pad(secs % 60, 2)}`;
    }

    function setText(node, text) {
        if (node.textContent !== text)
            node.textContent = text;
    }

    function fit() {
        const days = ui.days.textContent.length;
        const widthEm = 0.6 * (days + 6) + 4 * 0.2 + 3 * 0.3 + 0.2;
        const digit = Math.max(8, Math.min(0.42 * innerHeight, 0.95 * innerWidth / widthEm));
        document.documentElement.style.setProperty('--digit', `${digit.toFixed(1)}px`);
    }

    // The lamps follow the window's rule on each new seconds text: lit on their parity within their range,
    // each change inverting, so that two seconds of the same parity in a row leave a lamp dark.
    function updateLamps(count, seconds) {
        LAMPS.forEach((lamp, i) => {
            const node = ui.lamps[i];
            if (count > 0 && count <= lamp.limit && seconds % 2 === lamp.parity)
                node.classList.toggle('lit');
            else
                node.classList.remove('lit');
        });
    }

    function showDashes() {
        document.body.classList.remove('before', 'after');
        document.body.classList.add('none');
        setText(ui.days, '---');
        setText(ui.hours, '--');
        setText(ui.minutes, '--');
        setText(ui.seconds, '--');
        ui.lamps.forEach(node => node.classList.remove('lit'));
    }

    function render() {
        clearTimeout(flipTimer);
        if (!state || offset === null)
            return;
        const now = localNow() + offset;
        const nowSec = floorDiv(now, 1000);
        const sentSec = floorDiv(state.sentAt, 1000);
        const elapsed = nowSec - sentSec;
        const derived = state.holding && elapsed !== 0;
        const body = document.body.classList;
        body.toggle('holding', state.holding);

        if (state.phase === 'none' || state.target.msToTarget === null) {
            showDashes();
            setText(ui.target, state.target.text);
        } else {
            const targetSec = Math.round((state.sentAt + state.target.msToTarget) / 1000);
            // While holding the count stands at its value when the state was sent.
            const count = state.holding ? targetSec - sentSec : targetSec - nowSec;
            const before = count > 0;
            body.remove('none');
            body.toggle('before', before);
            body.toggle('after', !before);
            setText(ui.sign, before ? 'T -' : 'T +');
            let secs = Math.abs(count);
            const daysText = pad(floorDiv(secs, 86400), 3);
            if (daysText.length !== ui.days.textContent.length) {
                setText(ui.days, daysText);
                fit();
            }
            setText(ui.days, daysText);
            secs %= 86400;
            setText(ui.hours, pad(floorDiv(secs, 3600), 2));
            secs %= 3600;
            setText(ui.minutes, pad(floorDiv(secs, 60), 2));
            const secondsText = pad(secs % 60, 2);
            if (ui.seconds.textContent !== secondsText) {
                setText(ui.seconds, secondsText);
                updateLamps(count, secs % 60);
                window.tarvaneFlips.push({ at: Date.now(), count: `${ui.sign.textContent} ${ui.days.textContent} ` +
                    `${ui.hours.textContent} ${ui.minutes.textContent} ${secondsText}` });
                if (window.tarvaneFlips.length > 4000)
                    window.tarvaneFlips.splice(0, 2000);
            }
            setText(ui.target, derived ? heldTargetText(targetSec + elapsed) : state.target.text);
        }

        const w = state.window;
        const running = derived && w.active && !w.expired && w.secs !== null;
        setText(ui.windowText, running ? runningWindowText(Math.min(86399, Math.max(0, w.secs - elapsed))) : w.text);
        ui.windowText.classList.toggle('expired', w.expired);
        ui.window.hidden = !w.active && !w.expired;
        ui.warning.hidden = !w.warning;

        // Just after the next second of the mission clock.
        flipTimer = setTimeout(render, 1000 - (((now % 1000) + 1000) % 1000) + 2);
    }

    function onState(message) {
        const arrived = localNow();
        ++window.tarvaneStates;
        if (offset === null || Math.abs(message.sentAt - (arrived + offset)) > Math.max(50, bestRtt)) {
            // First contact, or the mission clock jumped: take the sending instant until pings say better.
            offset = message.sentAt - arrived;
            if (state !== null)
                startSync();
        }
        state = message;
        render();
    }

    function sendPing() {
        if (!socket || socket.readyState !== WebSocket.OPEN)
            return;
        const id = ++nextPing;
        sent.set(id, localNow());
        socket.send(JSON.stringify({ type: 'ping', id }));
    }

    // The offset from the round trip with the shortest time, as the one least disturbed on the way.
    function onPong(message) {
        const t1 = localNow();
        const t0 = sent.get(message.id);
        sent.delete(message.id);
        if (t0 === undefined || !round)
            return;
        const rtt = t1 - t0;
        if (rtt < round.rtt)
            round = { left: round.left, rtt, offset: message.now - (t0 + t1) / 2 };
        if (--round.left > 0) {
            sendPing();
            return;
        }
        offset = round.offset;
        bestRtt = round.rtt;
        round = null;
        render();
    }

    function startSync() {
        round = { left: SYNC_SAMPLES, rtt: Infinity, offset: null };
        sent.clear();
        sendPing();
    }

    function setOnline(online, text) {
        document.body.classList.toggle('offline', !online);
        if (text)
            setText(ui.status, text);
    }

    function connect() {
        const scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
        socket = new WebSocket(`${scheme}${location.host}/live`);
        socket.onopen = () => {
            retryMs = RETRY_FIRST_MS;
            setOnline(true);
            startSync();
            clearInterval(syncTimer);
            syncTimer = setInterval(startSync, SYNC_EVERY_MS);
        };
        socket.onmessage = event => {
            let message;
            try {
                message = JSON.parse(event.data);
            } catch (e) {
                return;
            }
            if (message.type === 'state')
                onState(message);
            else if (message.type === 'pong')
                onPong(message);
        };
        socket.onclose = event => {
            clearInterval(syncTimer);
            socket = null;
            round = null;
            const why = event.code === 1008 && event.reason ? ` (${event.reason})` : '';
            setOnline(false, `Connection to Tarvane lost${why}.  Reconnecting\u2026`);
            setTimeout(connect, retryMs * (0.75 + Math.random() / 2));
            retryMs = Math.min(RETRY_MAX_MS, retryMs * 2);
        };
    }

    window.addEventListener('resize', fit);
    // A hidden tab's timers are slowed down; catch up at once when it shows again.
    document.addEventListener('visibilitychange', render);
    fit();
    connect();
})();
