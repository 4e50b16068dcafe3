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

    // The core, gzipped, is unzipped and compiled as one stream, off the page's own thread, once
    // the first frame is on screen; its glue runs once it is compiled. The form never waits for
    // it, and a command given before it is ready is answered as soon as it is. A core that
    // cannot start is said so by the command that needed it, and the next command tries again.
    let corePromise = null;
    let runCore = null;
    function compileCore() {
        const text = byId('core-wasm').textContent;
        const gzipped = Uint8Array.fromBase64
            ? Uint8Array.fromBase64(text)
            : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
        const wasm = new Blob([gzipped]).stream().pipeThrough(new DecompressionStream('gzip'));
        return WebAssembly.compileStreaming(
            new Response(wasm, {headers: {'Content-Type': 'application/wasm'}}));
    }
    async function startCore() {
        const module = await compileCore();
        if (typeof createTallyvaneCore === 'undefined') {
            const glue = document.createElement('script');
            glue.textContent = byId('core-glue').textContent;
            document.head.append(glue);
        }
        let failed;
        const failure = new Promise((_, reject) => { failed = reject; });
        const instance = createTallyvaneCore({
            instantiateWasm(imports, receive) {
                WebAssembly.instantiate(module, imports)
                    .then((instance) => receive(instance, module), failed);
                return {};
            },
        });
        runCore = (await Promise.race([instance, failure])).run;
        return runCore;
    }
    function core() {
        corePromise ??= startCore().catch((error) => {
            corePromise = null;
            throw error;
        });
        return corePromise;
    }
    requestAnimationFrame(() => setTimeout(() => core().catch(() => {})));
    async function readyCore() {
        try {
            return await core();
        } catch (error) {
            warn(design.coreNotStarted.replace('%1', () => error.message));
            return null;
        }
    }

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
        const run = await readyCore();
        if (!run)
            return;
        const [warningText, showResults, ...plan] =
            run('plan', [defectsBox.value, opportunitiesBox.value]);
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
    // the browser's own command. Only the core makes them: until it is there, the page says so
    // rather than print a blank sheet.
    window.addEventListener('beforeprint', () => {
        byId('report').textContent = runCore
            ? runCore('report', reportBoxes()).join('\n')
            : design.reportNotReady;
    });
    byId('cmdPrint').addEventListener('click', async () => {
        if (await readyCore())
            window.print();
    });

    defectsBox.focus();
})();
