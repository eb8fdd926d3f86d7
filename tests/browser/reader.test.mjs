// The snippet reader against a real browser, which is the judge of what a
// form is: for pages holding every kind of snippet, as vendaxo-cli built them
// and as rewritten the way a page editor might, the reader finds the forms
// Chromium finds, each with the same fields in the same order, and reads the
// same snippet values from the rewritten page as from the built one.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { parseArgs, promisify } from 'node:util';

import { openBrowser, openShop, testOptions } from './shop.mjs';

const run = promisify(execFile);
const options = testOptions();
const { values: { fields: formFields } } =
    parseArgs({ options: { fields: { type: 'string' } }, strict: false });
if (!formFields)
    throw new Error('usage: node reader.test.mjs --cli PATH --fields PATH-OF-form_fields [--out DIR]');

let shop;
let browser;

before(async () => {
    // Nothing is posted: the cart server only has to have an address.
    shop = await openShop({ cli: options.cli, origin: 'http://127.0.0.1:9' });
    browser = await openBrowser(options.out);
});

after(async () => {
    await browser?.close();
    await shop?.close();
});

const kOptionData = 'Binding;Paperback;Hardcover (add $12.50);Leather (add $30);\n' +
    'Map;Folded;Rolled (subtract $1.25);\n';
const kButtons = [
    ['purchase', '--sku', 'ATL-7 "Nord" & <Süd>', '--price', '39.50', '--description',
        'Atlas "Nordsee" & <Küste>', '--weight', '1.25', '--caption', 'Add "Atlas" & Go',
        '--quantity-box', '--option-data', kOptionData, '--discount', '10=35', '--discount',
        '25=30', '--free-shipping', '--non-taxable', '--no-fractional', '--no-minimums',
        '--no-jump'],
    ['purchase', '--sku', 'MAP-1', '--price', '12', '--description', 'Map of the coast',
        '--option-data', kOptionData, '--option-style', 'radio', '--quantity-lock', '4'],
    ['view-cart'],
    ['retrieve-orders', '--caption', 'Orders & "More"'],
];

// The forms as the reader sees them: per form its [name, value] pairs.
async function readerFields(file) {
    return JSON.parse((await run(formFields, [file], { encoding: 'utf8' })).stdout);
}

// The snippets vendaxo-cli reads from a page, without where they stand.
async function snippetValues(file) {
    const read = JSON.parse(await shop.vendaxo('snippets', '--json', file));
    return read.map(({ page, line, ...values }) => values);
}

// document.forms[i].elements, names and values in order: the value attribute
// of an input or button, the value of a select, text area or output.
function browserFields(page) {
    return page.evaluate(() => Array.from(document.forms, (form) =>
        Array.from(form.elements, (element) => {
            const name = element.getAttribute('name') ?? '';
            if (element.localName === 'input' || element.localName === 'button')
                return [name, element.getAttribute('value')];
            if (['select', 'textarea', 'output'].includes(element.localName))
                return [name, element.value];
            return [name, null];
        })));
}

// The page as Chromium built it, written back as a page editor or a person
// might: names in any case, attributes shuffled with a class or style added,
// values in any quotes with character references, other white space and
// CR LF, each form wrapped in a division, and form markup in a comment and a
// script before the first.
function rewrite(seed) {
    let state = seed;
    const random = (n) => {
        state = (state * 1103515245 + 12345) % 2147483648;
        return Math.floor(state / 65536) % n;
    };
    const kVoid = new Set(['area', 'base', 'br', 'col', 'embed', 'hr', 'img', 'input', 'link',
        'meta', 'source', 'track', 'wbr']);
    const anyCase = (name) => [name, name.toUpperCase(), name[0].toUpperCase() + name.slice(1)][random(3)];
    const space = () => [' ', ' ', '  ', '\r\n', '\r\n    ', '\t'][random(6)];
    const reference = (c) => (random(2) ? `&#${c.codePointAt(0)};` : `&#x${c.codePointAt(0).toString(16)};`);
    const text = (data) => Array.from(data, (c) => {
        if (c === '&')
            return random(2) ? '&amp;' : '&#38;';
        if (c === '<')
            return '&lt;';
        if (c === '\u00a0')
            return random(2) ? '&nbsp;' : reference(c);
        return c === '\n' ? '\r\n' : c;
    }).join('');
    const value = (v) => {
        const bare = v !== '' && !/[\s"'=<>`]/.test(v);
        const quote = ['"', "'", ''][random(bare ? 3 : 2)];
        const inner = Array.from(v, (c) => {
            if (c === '&')
                return random(2) ? '&amp;' : '&#38;';
            if (c === quote)
                return c === '"' && random(2) ? '&quot;' : reference(c);
            if (c === '\n')
                return '&#10;';
            return /[a-z]/.test(c) && random(8) === 0 ? reference(c) : c;
        }).join('');
        return quote + inner + quote;
    };
    const kDecoys = '<!-- <form action="x"><input name="merchant" value="1">' +
        '<input type="submit" name="checkout"></form> -->\r\n' +
        '<script>var old = \'<form><input name="merchant"><input name="additem"></form>\';</script>\r\n';
    const element = (el) => {
        const name = el.localName;
        const attributes = Array.from(el.attributes, (a) => [a.name, a.value]);
        if (random(3) === 0)
            attributes.push(['class', 'shop item']);
        if (random(5) === 0)
            attributes.push(['style', 'margin: 0; font-family: "Arial"']);
        for (let i = attributes.length - 1; i > 0; --i) {
            const j = random(i + 1);
            [attributes[i], attributes[j]] = [attributes[j], attributes[i]];
        }
        let out = `<${anyCase(name)}` +
            attributes.map(([n, v]) => `${space()}${anyCase(n)}${random(5) ? '=' : ' = '}${value(v)}`).join('') +
            (random(3) === 0 ? space() : '') + '>';
        if (kVoid.has(name))
            return out;
        if (name === 'script' || name === 'style')
            out += el.textContent;
        else if (name === 'textarea' || name === 'title')
            out += el.textContent.replaceAll('&', '&amp;').replaceAll('<', '&lt;');
        else
            out += (name === 'body' ? kDecoys : '') + Array.from(el.childNodes, node).join('');
        return `${out}</${anyCase(name)}${random(4) === 0 ? space() : ''}>`;
    };
    const node = (n) => {
        if (n.nodeType === Node.ELEMENT_NODE)
            return n.localName === 'form' ? `<div class="buy">${element(n)}</div>` : element(n);
        if (n.nodeType === Node.TEXT_NODE)
            return text(n.data);
        return n.nodeType === Node.COMMENT_NODE ? `<!--${n.data}-->` : '';
    };
    return `<!DOCTYPE html>\r\n${element(document.documentElement)}\r\n`;
}

// The reader and Chromium agree on the page's forms; returns the snippets read.
async function expectSameForms(page, file, name) {
    await page.goto(pathToFileURL(file).href);
    await browser.screenshot(page, name);
    const inBrowser = await browserFields(page);
    assert.ok(inBrowser.length > 0);
    assert.deepEqual(await readerFields(file), inBrowser, `${name}: the forms' fields`);
    return snippetValues(file);
}

// The rewritten page in the encoding it declares; the pages here hold no
// character past Latin-1, which is where Windows-1252 and Latin-1 agree.
function encoded(text, charset) {
    if (charset === 'utf-8')
        return text;
    assert.ok(!/[^\x00-\x7f\xa0-\xff]/.test(text), 'a character Windows-1252 writes otherwise');
    return Buffer.from(text, 'latin1');
}

async function checkPage(built, name, charset = 'utf-8') {
    const page = await browser.newPage();
    const values = await expectSameForms(page, built.file, name);
    assert.ok(values.length > 0);
    for (const snippet of values)
        assert.deepEqual(snippet.problems, [], `${name}: ${snippet.kind}`);
    for (const seed of [1, 2, 3]) {
        await page.goto(pathToFileURL(built.file).href);
        const file = join(options.out, `${name}_rewritten_${seed}.html`);
        await writeFile(file, encoded(await page.evaluate(rewrite, seed), charset));
        const rewritten = await expectSameForms(page, file, `${name}_rewritten_${seed}`);
        assert.deepEqual(rewritten, values, `${name} rewritten (${seed}): the snippets' values`);
    }
    await page.close();
    return values;
}

test('every kind of button, in a UTF-8 and a Windows-1252 page', async () => {
    const utf8 = await checkPage(await shop.page('reader_buttons', 'Atlas', kButtons), 'reader_buttons');
    assert.deepEqual(utf8.map((snippet) => snippet.kind),
        ['purchase', 'purchase', 'view-cart', 'retrieve-orders']);
    assert.equal(utf8[0].sku, 'ATL-7 "Nord" & <Süd>');
    assert.equal(utf8[1]['option-data'], kOptionData.replace('Binding', 'List 1').replace('Map', 'List 2'));
    const cp1252 = await checkPage(
        await shop.page('reader_buttons_1252', 'Atlas', kButtons, 'windows-1252'),
        'reader_buttons_1252', 'windows-1252');
    assert.deepEqual(cp1252, utf8);
});

test('the checkout form under every shipping method and in LinkPoint mode', async () => {
    const built = await shop.page('reader_checkout', 'Order', []);
    const methods = ['0', '1', '2', '3', '4', '5'];
    for (const method of methods) {
        await shop.set('OSta', method);
        await shop.vendaxo('checkout', '--cards', '12347', '--require', '13abc', '--into', built.file);
    }
    await shop.set('OCCVerifyType', '2');
    await shop.vendaxo('checkout', '--require', '159', '--into', built.file);
    await shop.set('OCCVerifyType', '1');
    const values = await checkPage(built, 'reader_checkout');
    assert.deepEqual(values.map((snippet) => snippet.shipping), [
        'User Choice', 'Rate Calculation', 'Multiple Base Rate Calculation', 'Single Rate Chart',
        'Multiple Rate Chart', 'UPS Calculations', 'UPS Calculations']);
    assert.deepEqual(values.map((snippet) => snippet.cards), ['12347', '12347', '12347', '12347',
        '12347', '12347', null]);
    assert.deepEqual(values.map((snippet) => snippet.require), ['13abc', '13abc', '13abc',
        '13abc', '13abc', '13abc', '159']);
});
