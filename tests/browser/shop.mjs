// What the browser tests share: their arguments, a private store that vendaxo-cli
// fills and builds pages from, the browser, and the checks on a form post.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { constants } from 'node:fs';
import { access, mkdir, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { parseArgs, promisify } from 'node:util';

const run = promisify(execFile);

export const repoRoot = resolve(dirname(fileURLToPath(import.meta.url)), '../..');

// --cli PATH (vendaxo-cli) and --out DIR (screenshots and pages for people to look at).
export function testOptions() {
    const { values } = parseArgs({
        options: { cli: { type: 'string' }, out: { type: 'string' } },
        strict: false,
    });
    if (!values.cli)
        throw new Error('usage: node TEST.mjs --cli PATH-OF-vendaxo-cli [--out DIR]');
    return { cli: values.cli, out: values.out ?? join(tmpdir(), 'vendaxo-browser') };
}

// The bookshop the checkout forms were made for, with its cart server moved to origin.
export const kBookshopStore = join(repoRoot, 'tests/snippets/checkout/store.reg');

// A company name that needs attribute quoting and is not ASCII.
export const kCompany = 'Blue "Heron" Bücher & <Karten>';
export const kMerchant = '401122';
// The bookshop's stored colours, which travel with the buttons and the checkout form.
export const kColours = `16777215,0,16711680,8388736,13434879${',-1'.repeat(23)}`;

function pageText(title, charset) {
    return `<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="${charset}">
<title>${title}</title>
</head>
<body>
<h1>${title}</h1>
<!--vendaxo:caret-->
</body>
</html>
`;
}

export async function openShop({ cli, origin, reg = kBookshopStore, company = kCompany }) {
    const dir = await mkdtemp(join(tmpdir(), 'vendaxo-shop-'));
    const store = join(dir, 'store.sqlite3');
    const vendaxo = async (...args) =>
        (await run(cli, ['--store', store, ...args], { encoding: 'utf8' })).stdout;
    await vendaxo('import', reg);
    await vendaxo('install', '--serial', kMerchant, '--company', company, '--cart-url',
                  `${origin}/cgi-bin/cart`, '--retrieve-url', `${origin}/cgi-bin/orders`);
    return {
        vendaxo,
        set: (name, value) => vendaxo('set', name, value),
        // A page with each command's snippet inserted by vendaxo-cli, in order.
        async page(name, title, commands, charset = 'utf-8') {
            const file = join(dir, `${name}.html`);
            await writeFile(file, pageText(title, charset)); // ASCII: the same in every charset
            for (const args of commands)
                await vendaxo(...args, '--into', file);
            const html = new TextDecoder(charset).decode(await readFile(file));
            return { file, url: pathToFileURL(file).href, html };
        },
        close: () => rm(dir, { recursive: true, force: true }),
    };
}

const kChromium = '/usr/bin/chromium';
const kChromiumFlags = [
    '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export async function openBrowser(out) {
    let chromium;
    try {
        ({ chromium } = await import('playwright-core'));
    } catch (error) {
        throw new Error(`playwright-core is missing: run "npm ci" in ${repoRoot} ` +
                        `(${error.message})`);
    }
    await access(kChromium, constants.X_OK).catch(() => {
        throw new Error(`${kChromium} is missing: install Debian's chromium (scripts/test does)`);
    });
    await mkdir(out, { recursive: true });
    const profile = await mkdtemp(join(tmpdir(), 'vendaxo-chromium-'));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: kChromium,
        headless: true,
        args: kChromiumFlags,
        viewport: { width: 1024, height: 768 },
        timeout: 30_000,
    });
    // A missing element or post fails the test soon, well inside CTest's limit.
    context.setDefaultTimeout(15_000);
    return {
        newPage: () => context.newPage(),
        screenshot: (page, name) =>
            page.screenshot({ path: join(out, `${name}.png`), fullPage: true }),
        async close() {
            await context.close();
            await rm(profile, { recursive: true, force: true });
        },
    };
}

// Clicks (or otherwise submits) and returns the post it caused, after checking
// that it went to path as a form post.
export async function submitted(server, path, submit) {
    const [post] = await Promise.all([server.nextPost(), submit()]);
    assert.equal(post.path, path);
    assert.match(post.contentType, /^application\/x-www-form-urlencoded/);
    return post;
}

const kEntities = { quot: '"', amp: '&', lt: '<', gt: '>', nbsp: '\u00a0' };
function decodeAttribute(text) {
    return text.replace(/&(#x[0-9a-f]+|#[0-9]+|[a-z]+);/gi, (whole, entity) => {
        if (entity[0] === '#')
            return String.fromCodePoint(
                Number(entity[1] === 'x' ? `0${entity.slice(1)}` : entity.slice(1)));
        return kEntities[entity] ?? whole;
    });
}

// The hidden fields as the snippet's text reads, attribute values decoded. A
// quoted value may hold ">", so tags end at the first ">" outside quotes.
export function hiddenFieldsInText(html) {
    const fields = [];
    for (const [tag] of html.matchAll(/<input\b(?:[^>"]|"[^"]*")*>/gi)) {
        const attributes = Object.fromEntries(
            [...tag.matchAll(/([a-z]+)="([^"]*)"/gi)].map(([, name, value]) =>
                [name.toLowerCase(), decodeAttribute(value)]));
        if (attributes.type === 'hidden')
            fields.push([attributes.name, attributes.value ?? '']);
    }
    return fields;
}

// The browser posted every hidden field with the value the text suggests, in
// the text's order.
export function assertHiddenFieldsAsWritten(post, snippetHtml) {
    const written = hiddenFieldsInText(snippetHtml);
    const names = new Set(written.map(([name]) => name));
    assert.deepEqual(post.pairs.filter(([name]) => names.has(name)), written);
}
