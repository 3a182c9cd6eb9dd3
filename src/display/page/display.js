// The room display page: keeps the mission count running from the last state the program sent and from its
// own measured offset to the program's mission clock. The program sends a state on every transition only.
'use strict';

(() => {
    const MONTHS = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August', 'September',
        'October', 'November', 'December'];
    const SYNC_EVERY_MS = 30000;
    const SYNC_SAMPLES = 8;
    const RETRY_FIRST_MS = 500;
    const RETRY_MAX_MS = 10000;
    const LIFTOFF_WORD_SECONDS = 10;
    const UNCERTAIN_MS = 50;

    const el = id => document.getElementById(id);
    const ui = {
        display: el('display'), sign: el('sign'), word: el('word'), daysGroup: el('daysGroup'), days: el('days'),
        hours: el('hours'), minutes: el('minutes'), seconds: el('seconds'),
        lamps: [el('lamp0'), el('lamp1'), el('lamp2')], target: el('targetText'), window: el('window'),
        windowText: el('windowText'), warning: el('warning'), status: el('status'), quality: el('quality'),
        milestone: el('milestone'), milestoneCaption: el('milestoneCaption'), milestoneText: el('milestoneText'),
        lclock: el('lclock'), lclockText: el('lclockText'),
    };
    if (new URLSearchParams(location.search).has('overlay'))
        document.documentElement.classList.add('overlay');

    let state = null;     // the last state received
    let offset = null;    // mission clock minus local clock, in ms
    let bestRtt = Infinity;
    let socket = null;
    let retryMs = RETRY_FIRST_MS;
    let flipTimer = 0;
    let syncTimer = 0;
    let nextPing = 0;
    let round = null;     // the measurement in progress: samples left and the best one so far
    let everConnected = false;
    let live = false;
    let lastHeard = 0;    // local time of the last word from the program
    let refusal = '';     // why the program closed the connection, when it said
    let layout = '';      // what the size of everything was last fitted to
    const sent = new Map();

    // Every change of the seconds, and the page's reading of the mission clock, for whoever measures how
    // closely the page follows the program.
    window.tarvaneFlips = [];
    window.tarvaneMissionNow = () => (offset === null ? null : localNow() + offset);
    window.tarvaneStates = 0;
    window.tarvaneUncertaintyMs = null;

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

    // A span of seconds as "h:mm:ss", the days before it when there are any: "1 02:00:00".
    function spanText(secs) {
        const days = floorDiv(secs, 86400);
        const rest = secs % 86400;
        const hours = floorDiv(rest, 3600);
        return (days > 0 ? `${days} ${pad(hours, 2)}` : `${hours}`) +
            `:${pad(floorDiv(rest % 3600, 60), 2)}:${pad(rest % 60, 2)}`;
    }

    // The L clock as the program writes it: "L - 00:34:00", "L - 1 02:00:00", "L + 00:00:05".
    function lClockText(secs) {
        const rest = Math.abs(secs) % 86400;
        const days = floorDiv(Math.abs(secs), 86400);
        return `L ${secs > 0 ? '-' : '+'} ${days > 0 ? `${days} ` : ''}${runningWindowText(rest)}`;
    }

    // The countdown sequence: a running built-in hold with its time left, else the next milestone with the time
    // to it on the T clock (count: the count as shown, null without one); the L clock to the projected liftoff.
    function showSequence(count, nowSec, sentSec) {
        const seq = state.sequence;
        ui.milestone.classList.toggle('none', !seq);
        ui.lclock.classList.toggle('none', !seq);
        if (!seq)
            return;
        let caption = 'Next';
        let text = '';
        if (seq.hold) {
            caption = 'Holding';
            const left = Math.max(0, seq.hold.secsLeft - (state.holding ? nowSec - sentSec : 0));
            text = `${seq.hold.name}   ${spanText(left)} left`;
        } else if (seq.next) {
            text = `${seq.next.name}   ${seq.next.timeText}` +
                (count !== null ? `   in ${spanText(Math.max(0, count + seq.next.time))}` : '');
        }
        setText(ui.milestoneCaption, caption);
        setText(ui.milestoneText, text);
        ui.milestone.classList.toggle('off', text === '');
        const l = seq.liftoff;
        ui.lclock.classList.toggle('off', !l);
        if (l) {
            const liftoffSec = Math.round((state.sentAt + l.msToLiftoff) / 1000);
            setText(ui.lclockText, `${lClockText(liftoffSec - nowSec)}   liftoff ${l.text}` +
                (l.known ? '' : '   (hold length unknown)'));
        }
    }

    function setText(node, text) {
        if (node.textContent !== text)
            node.textContent = text;
    }

    // Everything is sized from --digit: lay it out at a known size, measure, and scale to the screen.
    function fit() {
        const body = document.body.classList;
        body.toggle('upright', innerWidth / innerHeight < 0.75);
        const root = document.documentElement.style;
        root.setProperty('--digit', '100px');
        const box = ui.display.getBoundingClientRect();
        const scale = Math.min(0.96 * innerWidth / box.width, 0.95 * innerHeight / box.height);
        root.setProperty('--digit', `${Math.max(4, Math.floor(100 * scale * 10) / 10)}px`);
    }

    // Fits again only when what sets the size changes, so the count never moves when a word, the warning or the
    // connection's status comes and goes, nor by a pixel from one second to the next.
    function fitIfChanged() {
        const key = [innerWidth, innerHeight, ui.daysGroup.classList.contains('gone'), ui.target.textContent.length,
            ui.windowText.textContent.length, ui.milestoneText.textContent.length, ui.lclockText.textContent.length,
            ui.milestone.classList.contains('none')].join();
        if (key !== layout) {
            layout = key;
            fit();
        }
    }

    // The lamps follow the window's rule, which comes with the state, on each new seconds text: lit on their
    // parity within their range, each change inverting, so that two seconds of the same parity in a row leave a
    // lamp dark.
    function updateLamps(count, seconds) {
        (state.lamps || []).forEach((lamp, i) => {
            const node = ui.lamps[i];
            if (count > 0 && count <= lamp.limit && seconds % 2 === lamp.parity)
                node.classList.toggle('lit');
            else
                node.classList.remove('lit');
        });
    }

    function showDashes() {
        setText(ui.days, '---');
        setText(ui.hours, '--');
        setText(ui.minutes, '--');
        setText(ui.seconds, '--');
        ui.daysGroup.classList.add('gone');
        ui.lamps.forEach(node => node.classList.remove('lit'));
    }

    function showConnection() {
        const body = document.body.classList;
        body.toggle('offline', !live);
        body.toggle('connecting', !everConnected);
        let text = '';
        if (!everConnected)
            text = 'Connecting to Tarvane\u2026' + (refusal ? ` (${refusal})` : '');
        else if (!live)
            text = `Not live: last update ${Math.max(0, floorDiv(localNow() - lastHeard, 1000))} s ago` +
                (refusal ? ` (${refusal})` : '');
        setText(ui.status, text || '\u00a0');
        const uncertainty = window.tarvaneUncertaintyMs;
        if (uncertainty !== null) {
            const over = uncertainty > UNCERTAIN_MS;
            const shown = uncertainty < 10 ? uncertainty.toFixed(1) : Math.round(uncertainty);
            setText(ui.quality, `Time \u00b1${shown} ms` + (over ? `, over ${UNCERTAIN_MS} ms` : ''));
            ui.quality.classList.toggle('uncertain', over);
        }
    }

    function render() {
        clearTimeout(flipTimer);
        showConnection();
        if (!state || offset === null) {
            showDashes();
            fitIfChanged();
            flipTimer = setTimeout(render, 1000);
            return;
        }
        const now = localNow() + offset;
        const nowSec = floorDiv(now, 1000);
        const sentSec = floorDiv(state.sentAt, 1000);
        const elapsed = nowSec - sentSec;
        const derived = state.holding && elapsed !== 0;
        const body = document.body.classList;
        body.toggle('holding', state.holding);
        document.documentElement.style.setProperty('--surface', state.colour);

        let word = '';
        let shownCount = null;
        if (state.phase === 'none' || state.target.msToTarget === null) {
            showDashes();
            setText(ui.target, state.target.text);
            word = 'No launch time set';
        } else {
            const targetSec = Math.round((state.sentAt + state.target.msToTarget) / 1000);
            // While holding the count stands at its value when the state was sent.
            const count = state.holding ? targetSec - sentSec : targetSec - nowSec;
            const before = count > 0;
            shownCount = count;
            setText(ui.sign, before ? 'T -' : 'T +');
            let secs = Math.abs(count);
            const daysText = pad(floorDiv(secs, 86400), 3);
            setText(ui.days, daysText);
            ui.daysGroup.classList.toggle('gone', daysText === '000');
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
            if (state.holding)
                word = 'HOLD';
            else if (!before && -count < LIFTOFF_WORD_SECONDS)
                word = 'LIFTOFF';
        }
        setText(ui.word, word);
        ui.word.classList.toggle('long', word.length > 8);

        const w = state.window;
        const running = derived && w.active && !w.expired && w.secs !== null;
        const left = running ? Math.min(86399, Math.max(0, w.secs - elapsed)) : w.secs;
        setText(ui.windowText, running ? runningWindowText(left) : w.text);
        ui.windowText.classList.toggle('expired', w.expired);
        ui.window.classList.toggle('off', !w.active && !w.expired);
        // While it runs down, the warning comes on by the window's own rule, which comes with the state.
        const warning = running ? w.warningArmed && left < w.warningBelow : w.warning;
        setText(ui.warning, warning && left !== null ? `Launch window ${spanText(left)} left` : '');
        showSequence(shownCount, nowSec, sentSec);
        fitIfChanged();

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

    // The offset from the round trip with the shortest time, as the one least disturbed on the way; half of
    // that round trip is how far off this screen's second can be.
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
        window.tarvaneUncertaintyMs = bestRtt / 2;
        round = null;
        render();
    }

    function startSync() {
        round = { left: SYNC_SAMPLES, rtt: Infinity, offset: null };
        sent.clear();
        sendPing();
    }

    function connect() {
        const scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
        socket = new WebSocket(`${scheme}${location.host}/live`);
        socket.onopen = () => {
            retryMs = RETRY_FIRST_MS;
            everConnected = true;
            live = true;
            refusal = '';
            lastHeard = localNow();
            startSync();
            clearInterval(syncTimer);
            syncTimer = setInterval(startSync, SYNC_EVERY_MS);
            render();
        };
        socket.onmessage = event => {
            lastHeard = localNow();
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
            live = false;
            refusal = event.code === 1008 && event.reason ? event.reason : '';
            render();
            setTimeout(connect, retryMs * (0.75 + Math.random() / 2));
            retryMs = Math.min(RETRY_MAX_MS, retryMs * 2);
        };
    }

    window.addEventListener('resize', fitIfChanged);
    // A hidden tab's timers are slowed down; catch up at once when it shows again.
    document.addEventListener('visibilitychange', render);
    // The digits' own typeface changes every size: fit again once it is there.
    document.fonts.ready.then(() => { layout = ''; fitIfChanged(); });
    render();
    connect();
})();
