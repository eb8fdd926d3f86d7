// The purchase, view-cart and retrieve-orders buttons in a real browser: what a
// shopper's click posts to the cart server, field by field and in order.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { formPairs, startCaptureServer } from './capture_server.mjs';
import {
    assertHiddenFieldsAsWritten, kColours, kCompany, kMerchant, openBrowser, openShop, submitted,
    testOptions,
} from './shop.mjs';

const options = testOptions();
let server;
let shop;
let browser;

const kSku = 'ATL-7 "Nord" & <Süd>';
const kDescription = 'Atlas "Nordsee" & <Küste> – Ausgabe 2';
const kCaption = 'Add "Atlas" & Go';
const kOptionData = 'Binding;Paperback;Hardcover (add $12.50);Leather (add $30);\n' +
    'Map;Folded;Rolled (subtract $1.25);\n';

before(async () => {
    server = await startCaptureServer();
    shop = await openShop({ cli: options.cli, origin: server.origin });
    browser = await openBrowser(options.out);
});

after(async () => {
    await browser?.close();
    await shop?.close();
    await server?.stop();
});

test('purchase button with quantity box, drop-down lists, discounts and every flag', async () => {
    const snippet = ['purchase', '--sku', kSku, '--price', '39.50', '--description', kDescription,
        '--weight', '1.25', '--caption', kCaption, '--quantity-box', '--option-data', kOptionData,
        '--discount', '10=35', '--discount', '25=30', '--free-shipping', '--non-taxable',
        '--no-fractional', '--no-minimums', '--no-jump'];
    const { url } = await shop.page('purchase', 'Atlas', [snippet]);
    const html = await shop.vendaxo(...snippet);
    const expected = [
        ['vdx_quantity_input', '3'],
        ['additem', kCaption],
        ['vdx_prodoptions0', '+12.50;Hardcover;2'],
        ['vdx_prodoptions1', '+0;Folded;1'],
        ['sku', kSku],
        ['price', '$39.5'],
        ['description', kDescription],
        ['weight', '1.25'],
        ['ship_free', 'yes'],
        ['quantity', '10-35;25-30;'],
        ['vdx_disallowfractionalquantity', 'yes'],
        ['vdx_minimumquantity', 'no'],
        ['vdx_no_shopping_cart', 'yes'],
        ['taxable', 'no'],
        ['merchantname', kCompany],
        ['merchant', kMerchant],
        ['vdx_shopcolors', kColours],
    ];

    const page = await browser.newPage();
    await page.goto(url);
    const quantity = page.locator('input[name="vdx_quantity_input"]');
    await quantity.selectText();
    await quantity.pressSequentially('3');
    await page.selectOption('select[name="vdx_prodoptions0"]', { index: 1 });
    await browser.screenshot(page, 'purchase');
    let post = await submitted(server, '/cgi-bin/cart', () =>
        page.getByRole('button', { name: kCaption }).click());
    assert.deepEqual(post.pairs, expected);
    assertHiddenFieldsAsWritten(post, html);
    // Non-ASCII text goes as UTF-8, the page's encoding.
    assert.match(post.body, /&sku=ATL-7\+%22Nord%22\+%26\+%3CS%C3%BCd%3E&/);

    // Enter in the quantity box submits with the add button, as a click does.
    await page.goto(url);
    await quantity.selectText();
    await quantity.pressSequentially('3');
    await page.selectOption('select[name="vdx_prodoptions0"]', { index: 1 });
    post = await submitted(server, '/cgi-bin/cart', () => quantity.press('Enter'));
    assert.deepEqual(post.pairs, expected);
    await page.close();
});

test('purchase button with radio lists, a locked quantity and another currency', async () => {
    await shop.set('Currency', '€');
    const snippet = ['purchase', '--sku', kSku, '--price', '12', '--description', kDescription,
        '--option-data', kOptionData.replaceAll('$', '€'), '--option-style', 'radio',
        '--quantity-lock', '4'];
    const { url } = await shop.page('purchase_radio', 'Atlas', [snippet]);
    const html = await shop.vendaxo(...snippet);
    await shop.set('Currency', '$');

    const page = await browser.newPage();
    await page.goto(url);
    await page.locator('input[name="vdx_prodoptions0"]').nth(1).check();
    await browser.screenshot(page, 'purchase_radio');
    const post = await submitted(server, '/cgi-bin/cart', () =>
        page.getByRole('button', { name: 'Add To Shopping Cart' }).click());
    // A radio list nobody chose from is not posted at all.
    assert.deepEqual(post.pairs, [
        ['additem', 'Add To Shopping Cart'],
        ['vdx_prodoptions0', '+12.50;Hardcover;2'],
        ['sku', kSku],
        ['price', '$12'],
        ['description', kDescription],
        ['weight', '0'],
        ['quantity_lock', '4'],
        ['taxable', 'yes'],
        ['merchantname', kCompany],
        ['merchant', kMerchant],
        ['currency', '€'],
        ['vdx_shopcolors', kColours],
    ]);
    assertHiddenFieldsAsWritten(post, html);
    await page.close();
});

test('view-cart and retrieve-orders buttons', async () => {
    const cases = [
        {
            kind: 'view_cart',
            snippet: ['view-cart', '--caption', 'See "My" Cart & Pay'],
            button: 'See "My" Cart & Pay',
            path: '/cgi-bin/cart',
            expected: [
                ['openshopcart', 'See "My" Cart & Pay'],
                ['merchant', kMerchant],
                ['merchantname', kCompany],
                ['vdx_shopcolors', kColours],
            ],
        },
        {
            kind: 'retrieve_orders',
            snippet: ['retrieve-orders'],
            button: 'Retrieve Orders',
            path: '/cgi-bin/orders',
            expected: [
                ['getorders', 'Retrieve Orders'],
                ['merchant', kMerchant],
                ['merchantname', kCompany],
                ['vdxaction', 'getorders'],
            ],
        },
    ];
    const page = await browser.newPage();
    for (const { kind, snippet, button, path, expected } of cases) {
        const { url } = await shop.page(kind, kind, [snippet]);
        await page.goto(url);
        await browser.screenshot(page, kind);
        const post = await submitted(server, path, () =>
            page.getByRole('button', { name: button }).click());
        assert.deepEqual(post.pairs, expected, kind);
        assertHiddenFieldsAsWritten(post, await shop.vendaxo(...snippet));
    }
    await page.close();
});

test('a page in Windows-1252 posts in that encoding', async () => {
    // What the page's encoding lacks goes in as character references, and the
    // browser sends those as text: the cart server gets "&#321;" for "Ł".
    const other =
        await openShop({ cli: options.cli, origin: server.origin, company: 'Łódź Bücher ☃' });
    try {
        const { url, html } =
            await other.page('view_cart_1252', 'Cart', [['view-cart']], 'windows-1252');
        assert.match(html, /value="&#321;ód&#378; Bücher &#9731;" name="merchantname"/);
        const page = await browser.newPage();
        await page.goto(url);
        const post = await submitted(server, '/cgi-bin/cart', () =>
            page.getByRole('button', { name: 'View Shopping Cart' }).click());
        await page.close();
        assert.match(post.body,
                     /&merchantname=%26%23321%3B%F3d%26%23378%3B\+B%FCcher\+%26%239731%3B&/);
        assert.deepEqual(formPairs(post.body, 'windows-1252'), [
            ['openshopcart', 'View Shopping Cart'],
            ['merchant', kMerchant],
            ['merchantname', '&#321;ód&#378; Bücher &#9731;'],
            ['vdx_shopcolors', kColours],
        ]);
    } finally {
        await other.close();
    }
});
