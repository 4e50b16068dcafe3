'use strict';
// The page's behaviour: the window's, with every decision left to the C++ core.
(() => {
    const byId = (id) => document.getElementById(id);
    const design = JSON.parse(byId('design').textContent);
    const passes = new Set(design.pass);
    const moves = new Set(design.move);
    const area = byId('frmtallyvane');
    const defectsBox = byId('txttotaldefects');
    const opportunitiesBox = byId('txttotalopportunities');
    const calculateButton = byId('cmdcalculate');
    const results = design.results.map(([label, box]) => ({label: byId(label), box: byId(box)}));
    const warning = byId('warning');

    // The core is compiled once the first frame is on screen, so that the form never waits for
    // it; a command given before it is ready is answered as soon as it is.
    let corePromise = null;
    let runCore = null;
    function core() {
        corePromise ??= (async () => {
            const text = byId('core-wasm').textContent;
            const wasmBinary = Uint8Array.fromBase64
                ? Uint8Array.fromBase64(text)
                : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
            runCore = (await createTallyvaneCore({wasmBinary})).run;
            return runCore;
        })();
        return corePromise;
    }
    requestAnimationFrame(() => setTimeout(core));

    // The character a key types, for the key filter: Ctrl with a letter gives its control code
    // (Ctrl+V 22) as on the desktop; a key that types nothing, or a shortcut of the system's
    // own modifier, gives -1.
    const namedKeys = new Map([['Enter', 13], ['Backspace', 8]]);
    function typedCode(event) {
        if (event.ctrlKey && !event.altKey && /^[a-z]$/i.test(event.key))
            return event.key.toUpperCase().charCodeAt(0) - 64;
        if (namedKeys.has(event.key))
            return namedKeys.get(event.key);
        return [...event.key].length === 1 && !event.metaKey ? event.key.codePointAt(0) : -1;
    }
    function filterKey(event) {
        const code = typedCode(event);
        if (code < 0 || passes.has(code))
            return;
        event.preventDefault();
        if (moves.has(code))
            (event.target === defectsBox ? opportunitiesBox : calculateButton).focus();
    }
    // A keyboard that sends no key codes (a phone's) delivers text: each character is judged.
    function filterText(event) {
        if (event.inputType === 'insertText' && event.data &&
            [...event.data].some((c) => !passes.has(c.codePointAt(0))))
            event.preventDefault();
    }
    for (const box of [defectsBox, opportunitiesBox]) {
        box.addEventListener('keydown', filterKey);
        box.addEventListener('beforeinput', filterText);
    }

    // The dialog takes the focus to its OK button, and gives it back where it was on closing.
    function warn(text) {
        byId('warning-text').textContent = text;
        warning.showModal();
    }
    byId('warning-ok').addEventListener('click', () => warning.close());

    // A box's note is its tooltip and its accessible description; an empty one is neither.
    function setNote(box, note) {
        const id = `${box.id}-note`;
        const holder = byId(id) ??
            byId('notes').appendChild(Object.assign(document.createElement('span'), {id}));
        holder.textContent = note;
        if (note) {
            box.title = note;
            box.setAttribute('aria-describedby', id);
        } else {
            box.removeAttribute('title');
            box.removeAttribute('aria-describedby');
        }
    }

    async function calculate() {
        const counts = [defectsBox.value, opportunitiesBox.value];
        const [warningText, showResults, ...plan] = (await core())('plan', counts);
        if (showResults) {
            area.classList.add('grown');
            results.forEach(({label, box}, i) => {
                box.value = plan[i];
                setNote(box, plan[i + results.length]);
                label.hidden = box.hidden = false;
            });
        }
        if (warningText)
            warn(warningText);
    }
    calculateButton.addEventListener('click', calculate);

    const reportBoxes = () =>
        [defectsBox, opportunitiesBox, ...results.map(({box}) => box)].map((box) => box.value);
    // The report's rows for the boxes as they are when the page prints, by Print Result or by
    // the browser's own command, once the core is there to make them.
    window.addEventListener('beforeprint', () => {
        if (runCore)
            byId('report').textContent = runCore('report', reportBoxes()).join('\n');
    });
    byId('cmdPrint').addEventListener('click', async () => {
        await core();
        window.print();
    });

    defectsBox.focus();
})();
