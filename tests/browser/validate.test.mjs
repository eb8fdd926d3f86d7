// Every snippet kind, alone on a page and all together on one, is valid HTML
// under the committed html-validate settings.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import config from './htmlvalidate.config.mjs';
import { openShop, repoRoot, testOptions } from './shop.mjs';

const options = testOptions();
let shop;
let validator;

const kOptionData = 'Binding;Paperback;Hardcover (add $12.50);\nMap;Folded;Rolled;\n';
const kText = 'ATL-7 "Nord" & <Süd>';
const kButtons = {
    purchase: ['purchase', '--sku', kText, '--price', '39.50', '--description', kText,
        '--caption', kText, '--quantity-box', '--option-data', kOptionData, '--discount', '10=35',
        '--free-shipping', '--non-taxable', '--no-fractional', '--no-minimums', '--no-jump'],
    purchase_radio: ['purchase', '--sku', kText, '--price', '12', '--description', kText,
        '--option-data', kOptionData, '--option-style', 'radio', '--quantity-lock', '4'],
    view_cart: ['view-cart', '--caption', kText],
    retrieve_orders: ['retrieve-orders', '--caption', kText],
};
const kShippingMethods = ['0', '1', '2', '3', '4', '5'];

before(async () => {
    let HtmlValidate;
    try {
        ({ HtmlValidate } = await import('html-validate'));
    } catch (error) {
        throw new Error(`html-validate is missing: run "npm ci" in ${repoRoot} (${error.message})`);
    }
    validator = new HtmlValidate(config);
    shop = await openShop({ cli: options.cli, origin: 'https://cart.example.com' });
});

after(async () => {
    await shop?.close();
});

async function assertValid(page) {
    const report = await validator.validateString(page.html, page.file);
    const problems = report.results.flatMap((result) => result.messages).map(
        (message) => `${message.line}:${message.column} ${message.ruleId}: ${message.message}`);
    assert.deepEqual(problems, [], page.file);
}

test('each button on a page of its own', async () => {
    for (const [kind, snippet] of Object.entries(kButtons))
        await assertValid(await shop.page(kind, kind, [snippet]));
});

test('the checkout form under every shipping method', async () => {
    for (const method of kShippingMethods) {
        await shop.set('OSta', method);
        await assertValid(await shop.page(`checkout_${method}`, 'Order',
            [['checkout', '--cards', '1234567', '--require', '123456789abcd']]));
    }
});

test('one page holding every snippet', async () => {
    await shop.set('OSta', '0');
    await assertValid(await shop.page('everything', 'Shop',
        [...Object.values(kButtons), ['checkout', '--cards', '12347', '--require', '13abc']]));
});
