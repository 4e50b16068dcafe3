// The calls the page makes of the core, added to the module: the texts go in through the
// module's memory one at a time (a file's bytes as they are), and the texts that the command
// makes come back, in order.
Module['run'] = (command, texts) => {
    const encoder = new TextEncoder();
    texts.forEach((text, i) => {
        const bytes = typeof text === 'string' ? encoder.encode(text) : text;
        const at = Module['_malloc'](bytes.length + 1);
        if (at)  // else the core hears that there was no room for it
            HEAPU8.set(bytes, at);
        Module['_tallyvane_set_input'](i, at, bytes.length);
        Module['_free'](at);
    });
    Module[`_tallyvane_${command}`]();
    const decoder = new TextDecoder();
    return Array.from({length: Module['_tallyvane_output_count']()}, (_, i) => {
        const at = Module['_tallyvane_output'](i);
        return decoder.decode(HEAPU8.subarray(at, at + Module['_tallyvane_output_size'](i)));
    });
};
