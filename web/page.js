// The page's behaviour: the window's, with every decision left to the C++ core.
(() => {
    const byId = (id) => document.getElementById(id);
    const design = JSON.parse(byId('design').textContent);
    const passes = new Set(design.pass);
    const moves = new Set(design.move);
    const area = byId(design.form);
    const defectsBox = byId(design.defects);
    const opportunitiesBox = byId(design.opportunities);
    const calculateButton = byId(design.calculate);
    const results = design.results.map(([label, box]) => ({label: byId(label), box: byId(box)}));
    const warning = byId('warning');

    // The core, gzipped, is unzipped and compiled as one stream once the first frame is on
    // screen, even when a command comes sooner: the unzipping runs on the page's own thread, and
    // would hold the first frame back. Its glue runs once it is compiled. The form never waits
    // for it, and a command given before it is ready is answered as soon as it is. A core that
    // cannot start is said so by the command that needed it, and the next command tries again.
    const firstFrame = new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
    let corePromise = null;
    let runCore = null;
    function compileCore() {
        const text = byId('core-wasm').textContent;
        const gzipped = Uint8Array.fromBase64
            ? Uint8Array.fromBase64(text)
            : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
        // Written straight into the unzipping stream: a Blob's stream reaches it through the
        // browser's blob store, which took two to three times as long as the unzipping itself.
        // A write's failure reaches the compilation through the stream's readable side.
        const unzip = new DecompressionStream('gzip');
        const writer = unzip.writable.getWriter();
        writer.write(gzipped).catch(() => {});
        writer.close().catch(() => {});
        return WebAssembly.compileStreaming(
            new Response(unzip.readable, {headers: {'Content-Type': 'application/wasm'}}));
    }
    async function startCore() {
        await firstFrame;
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
    core().catch(() => {});
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
    byId(design.print).addEventListener('click', async () => {
        if (await readyCore())
            window.print();
    });

    // The samples: the core reads the table and keeps it, and the page shows a hundred of its
    // rows at a time, the pooled row and the chart, and makes the downloads from it.
    const samples = byId('samples');
    const samplesOpen = byId('samplesOpen');
    const samplesInput = byId('samplesInput');
    const samplesTable = byId('samplesTable');
    const columnCount = samplesTable.tHead.rows[0].cells.length - 2;  // the stage, set aside
    const rowWidth = 2 * columnCount + 1;  // the cells, a note under each, the warning
    const rowsPerPage = 100;
    let sampleCount = 0;
    let firstRow = 0;
    let chartSvg = '';
    let hasStages = false;
    let namesNeeded = '';  // why no row can be set aside, where none can
    let typedTable = false;  // the table is the box's text, which its changes go back to
    let typingPending = false;
    function openSamples(open) {
        samples.hidden = !open;
        samplesOpen.setAttribute('aria-expanded', String(open));
        document.body.classList.toggle('samples-open', open);
    }
    samplesOpen.addEventListener('click', () => openSamples(samples.hidden));

    // A row as the core gives it; a result's note is its cell's tooltip and description.
    function fillRow(row, texts) {
        row.replaceChildren(...texts.slice(0, columnCount).map((text, i) => {
            const cell = document.createElement(i ? 'td' : 'th');
            cell.textContent = text;
            const note = texts[columnCount + i];
            if (note) {
                cell.title = note;
                cell.setAttribute('aria-description', note);
            }
            return cell;
        }));
        row.firstChild.scope = 'row';
        return row;
    }
    // A bad row keeps its place, marked, with what is wrong with it in place of its figures. Each
    // row says its stage, where the table has stages, and why it is set aside, with the button
    // that sets it aside or brings it back.
    function sampleRow([, error, ...texts], index) {
        const row = fillRow(document.createElement('tr'), texts);
        row.firstChild.id = `sample-row-${index}`;
        if (error) {
            const reason = Object.assign(document.createElement('td'),
                {textContent: error, title: error, colSpan: columnCount - 1});
            row.className = 'bad';
            row.replaceChildren(row.firstChild, reason);
        }
        const [stage, excluded] = texts.slice(rowWidth);
        if (hasStages)
            row.append(Object.assign(document.createElement('td'), {textContent: stage}));
        const aside = Object.assign(document.createElement('td'),
            {className: 'reason', textContent: excluded ? `${excluded} ` : ''});
        const button = Object.assign(document.createElement('button'), {
            type: 'button',
            textContent: excluded ? 'Bring back' : 'Set aside\u2026',
            disabled: !excluded && Boolean(error),
        });
        button.setAttribute('aria-describedby', row.firstChild.id);
        button.addEventListener('click', async () => {
            if (await readTyping())  // the row may be another now: nothing more
                return;
            if (excluded)
                await setExcluded(index, '');
            else if (namesNeeded)
                warn(namesNeeded);
            else {
                const reason = await askReason();
                if (reason)
                    await setExcluded(index, reason);
            }
        });
        aside.append(button);
        row.append(aside);
        row.classList.toggle('aside', Boolean(excluded));
        return row;
    }
    async function showRows() {
        const run = await readyCore();
        if (!run)
            return;
        const texts = run('samples_rows', [String(firstRow), String(rowsPerPage)]);
        const rows = [];
        const width = rowWidth + 4;  // the line, the error, the row, its stage and reason
        for (let at = 0; at < texts.length; at += width)
            rows.push(sampleRow(texts.slice(at, at + width), firstRow + at / width));
        samplesTable.tBodies[0].replaceChildren(...rows);
        byId('samplesRange').textContent = sampleCount
            ? `Rows ${firstRow + 1} to ${firstRow + rows.length} of ${sampleCount}` : '';
        byId('samplesPrevious').disabled = firstRow === 0;
        byId('samplesNext').disabled = firstRow + rowsPerPage >= sampleCount;
    }
    byId('samplesPrevious').addEventListener('click', () => {
        firstRow = Math.max(0, firstRow - rowsPerPage);
        showRows();
    });
    byId('samplesNext').addEventListener('click', () => {
        firstRow += rowsPerPage;
        showRows();
    });

    // The table as the core answers for it: its rows' count, the pooled row, the chart, its
    // stages, and what it says of itself.
    function showSheet([count, ...texts]) {
        sampleCount = Number(count);
        chartSvg = texts[rowWidth];
        hasStages = Boolean(texts[rowWidth + 1]);
        namesNeeded = texts[rowWidth + 2];
        const lines = Number(texts[rowWidth + 3]);
        byId('samplesStageHead').hidden = !hasStages;
        const pooled = byId('samplesPooled');
        (chartSvg ? fillRow(pooled, texts) : pooled).hidden = !chartSvg;
        if (chartSvg)
            pooled.append(...Array.from({length: hasStages ? 2 : 1}, () => document.createElement('td')));
        // Each pooled line, its results' intervals its tooltip and description.
        byId('samplesSummary').replaceChildren(...Array.from({length: lines}, (_, i) => {
            const [text, intervals] = texts.slice(rowWidth + 4 + 2 * i, rowWidth + 6 + 2 * i);
            const line = Object.assign(document.createElement('li'), {textContent: text, title: intervals});
            line.setAttribute('aria-description', intervals);
            return line;
        }));
        byId('samplesChart').innerHTML = chartSvg;  // the core's SVG, its texts escaped
        byId('samplesChart').hidden = !chartSvg;
        byId('samplesErrors').replaceChildren(...texts.slice(rowWidth + 4 + 2 * lines).map(
            (reason) => Object.assign(document.createElement('li'), {textContent: reason})));
        byId('samplesCsv').disabled = byId('samplesSvg').disabled = !chartSvg;
        return showRows();
    }
    // The tests for special causes, as the user last chose them in this browser.
    const testBoxes = [...byId('samplesTests').querySelectorAll('input')];
    try {
        const saved = localStorage.getItem('tallyvane-tests');
        if (saved !== null)
            testBoxes.forEach((box, i) => { box.checked = Boolean(Number(saved) & (1 << i)); });
    } catch { /* no storage here: every test, as at first */ }
    const chosenTests = () => String(testBoxes.reduce((mask, box, i) => mask | (box.checked << i), 0));
    for (const box of testBoxes) {
        box.addEventListener('change', async () => {
            try {
                localStorage.setItem('tallyvane-tests', chosenTests());
            } catch { /* kept for this page alone */ }
            const run = await readyCore();
            const texts = run?.('samples_tests', [chosenTests()]);
            if (texts?.length)
                await showSheet(texts);
        });
    }
    // Text or a file's bytes, read by the core alone; the rows in view stay where asked.
    async function analyseSamples(input, keepPage = false) {
        const run = await readyCore();
        if (!run)
            return;
        run('samples_tests', [chosenTests()]);
        firstRow = keepPage ? firstRow : 0;
        typedTable = typeof input === 'string';
        await showSheet(run('samples', [input]));
    }
    // Typing still to be read, read now; whether there was any.
    async function readTyping() {
        if (!typingPending)
            return false;
        clearTimeout(typing);
        typingPending = false;
        await analyseSamples(samplesInput.value, true);
        return true;
    }
    // A row set aside for a reason, or brought back for none. A typed table's box takes the
    // change, its other rows as typed, and is read again, so that every line named is its own.
    async function setExcluded(index, reason) {
        const run = await readyCore();
        if (!run)
            return;
        const texts = run('samples_set_aside', [String(index), reason]);
        if (typedTable) {
            samplesInput.value = run('samples_text', [])[0];
            await analyseSamples(samplesInput.value, true);
        } else {
            await showSheet(texts);
        }
        samplesTable.tBodies[0].rows[index - firstRow]?.querySelector('button')?.focus();
    }
    const reasonDialog = byId('reasonDialog');
    const reasonText = byId('reasonText');
    let answerReason = () => {};
    function askReason() {
        reasonText.value = '';
        reasonDialog.showModal();
        reasonText.focus();
        return new Promise((resolve) => { answerReason = resolve; });
    }
    const closeReason = (reason) => {
        answerReason(reason);
        answerReason = () => {};
        reasonDialog.close();
    };
    byId('reasonOk').addEventListener('click', () => closeReason(reasonText.value.trim()));
    byId('reasonCancel').addEventListener('click', () => closeReason(''));
    reasonText.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
            event.preventDefault();  // else it goes on to press the row's button, focused next
            closeReason(reasonText.value.trim());
        }
    });
    reasonDialog.addEventListener('close', () => closeReason(''));
    let typing;
    // Typing is read once it pauses; a paste, below, at once.
    samplesInput.addEventListener('input', () => {
        clearTimeout(typing);
        typingPending = true;
        typing = setTimeout(() => {
            typingPending = false;
            analyseSamples(samplesInput.value);
        }, 150);
    });
    // The browser lays thousands of pasted lines out in the box more slowly than the core reads
    // them: the figures come first, and the box takes the text, whatever became of them, once
    // they are on screen. (Inserting it as an undoable edit, execCommand('insertText'), takes
    // minutes over 10,000 lines.)
    samplesInput.addEventListener('paste', (event) => {
        const text = event.clipboardData?.getData('text/plain');
        if (!text)
            return;
        event.preventDefault();
        clearTimeout(typing);
        const {value, selectionStart, selectionEnd} = samplesInput;
        analyseSamples(value.slice(0, selectionStart) + text + value.slice(selectionEnd))
            .finally(() => requestAnimationFrame(() => setTimeout(() => {
                if (samplesInput.value === value) {
                    samplesInput.setRangeText(text, selectionStart, selectionEnd, 'end');
                } else {  // typed into meanwhile: the paste goes where the caret is now
                    samplesInput.setRangeText(text, samplesInput.selectionStart,
                        samplesInput.selectionEnd, 'end');
                    analyseSamples(samplesInput.value);
                }
            })));
    });
    // A file that cannot be read whole is no table: the browser's reason, and nothing else.
    async function readFile(file) {
        let bytes;
        try {
            bytes = new Uint8Array(await file.slice(0, design.tableFileReadSize).arrayBuffer());
        } catch (error) {
            await analyseSamples('');
            byId('samplesErrors').replaceChildren(Object.assign(document.createElement('li'),
                {textContent: `Cannot read ${file.name}: ${error.message}`}));
            return;
        }
        await analyseSamples(bytes);
    }
    byId('samplesFile').addEventListener('change', (event) => {
        if (event.target.files.length)
            readFile(event.target.files[0]).finally(() => { event.target.value = ''; });  // again
    });
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
        event.preventDefault();
        if (event.dataTransfer.files.length) {
            openSamples(true);
            readFile(event.dataTransfer.files[0]);
        }
    });

    function download(name, type, text) {
        const link = Object.assign(document.createElement('a'),
            {href: URL.createObjectURL(new Blob([text], {type})), download: name});
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }
    byId('samplesCsv').addEventListener('click', () => {
        const [csv, failure] = runCore('samples_csv', []);
        failure ? warn(failure) : download('samples.csv', 'text/csv', csv);
    });
    byId('samplesSvg').addEventListener('click', () =>
        download('samples-chart.svg', 'image/svg+xml', chartSvg));
    byId('samplesCsv').disabled = byId('samplesSvg').disabled = true;

    defectsBox.focus();
})();
