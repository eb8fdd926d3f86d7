// The checkout form in a real browser: a shopper fills it in and sends it, and
// the cart server receives every field in the form's order, the hidden order
// settings with the values the form was built with, required names with "*".
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { startCaptureServer } from './capture_server.mjs';
import {
    assertHiddenFieldsAsWritten, kColours, kCompany, kMerchant, openBrowser, openShop, submitted,
    testOptions,
} from './shop.mjs';

const options = testOptions();
let server;
let shop;
let browser;

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

// The bookshop's stored order settings, after the fields the shopper fills in.
function orderSettings(action) {
    return [
        action,
        ['merchantname', kCompany],
        ['merchant', kMerchant],
        ['mainurl', 'http://www.blueheron.example/'],
        ['confirmmessage',
            'Thank you for shopping with Blue Heron!We will e-mail you when your books ship.'],
        ['ziptaxes', '90210=0.0825;Area 51=0.05;90210=0.0825;Area 51=0.05;'],
        ['vdx_discount_type', 'percent'],
        ['vdx_discount_compare', 'total'],
        ['vdx_discount_point', '100'],
        ['vdx_discount_savings', '10'],
        ['vdx_discount_caption', 'Big Order Discount'],
        ['vdx_handling_type', 'quantity'],
        ['vdx_handling_base', '1.00'],
        ['vdx_handling_rate', '0.25'],
        ['vdx_handling_minimum', '2.00'],
        ['vdx_handling_caption', 'Handling Charge:'],
        ['vdx_shopcolors', kColours],
    ];
}

const kComments = 'Gift wrap, please.\nThank you!';
// Browsers send a text area's line breaks as CR LF.
const kPostedComments = 'Gift wrap, please.\r\nThank you!';

async function sendCheckout({ kind, method, cards, require, fill, choose, check = [] }) {
    await shop.set('OSta', method);
    const snippet = ['checkout', '--cards', cards, '--require', require];
    const { url } = await shop.page(kind, 'Order', [snippet]);
    const html = await shop.vendaxo(...snippet);
    const page = await browser.newPage();
    await page.goto(url);
    for (const [name, value] of Object.entries(fill))
        await page.fill(`[name="${name}"]`, value);
    for (const [name, value] of Object.entries(choose))
        await page.selectOption(`select[name="${name}"]`, value);
    for (const name of check)
        await page.check(`[name="${name}"]`);
    await browser.screenshot(page, kind);
    const post = await submitted(server, '/cgi-bin/cart', () =>
        page.getByRole('button', { name: 'Proceed With Checkout' }).click());
    await page.close();
    assertHiddenFieldsAsWritten(post, html);
    return post.pairs;
}

test('user-chosen shipping, shipped to the billing address', async () => {
    const pairs = await sendCheckout({
        kind: 'checkout_user_choice', method: '0', cards: '12347', require: '13abc',
        fill: {
            'billname*': 'Jürgen "Jo" Weiß', 'billadd1*': '12 Elm & <Oak> Street',
            'billcity*': 'Columbus', 'billzip*': '43215', billemail: 'jo@example.com',
            'cardnumber*': '4111111111111111', 'cardexpire*': '12/29', comments: kComments,
        },
        choose: {
            'billstate*': 'Ohio;0.06', billcountry: 'DE', 'shipping*': 'Second Day;$15',
            'cardtype*': 'American Express',
        },
        check: ['shipsame'],
    });
    assert.deepEqual(pairs, [
        ['billname*', 'Jürgen "Jo" Weiß'], ['billcompany', ''],
        ['billadd1*', '12 Elm & <Oak> Street'], ['billadd2', ''], ['billcity*', 'Columbus'],
        ['billstate*', 'Ohio;0.06'], ['billzip*', '43215'], ['billcountry', 'DE'],
        ['billphone1', ''], ['billfax', ''], ['billemail', 'jo@example.com'],
        ['shipsame', 'yes'],
        ['shipname', ''], ['shipcompany', ''], ['shipadd1', ''], ['shipadd2', ''],
        ['shipcity', ''], ['shipstate', 'Please Select...'], ['shipzip', ''],
        ['shipcountry', 'US'], ['shipphone1', ''], ['shipfax', ''],
        ['shipping*', 'Second Day;$15'],
        ['tax_shipping', 'yes'],
        ['cardtype*', 'American Express'], ['cardnumber*', '4111111111111111'],
        ['cardexpire*', '12/29'], ['ACCTNO', ''], ['ABACODE', ''], ['BANKNAME', ''],
        ['comments', kPostedComments],
        ['checkout', 'Proceed With Checkout'],
        ...orderSettings(['function', 'checkout']),
    ]);
});

test('multiple rate charts, shipped to another address', async () => {
    const pairs = await sendCheckout({
        kind: 'checkout_rate_charts', method: '4', cards: '12347', require: '13abc',
        fill: {
            'billname*': 'Ann Lee', 'billadd1*': '1 Main St', 'billcity*': 'Sacramento',
            'billzip*': '95814', shipname: 'Zoë Tremblay', shipadd1: '500 Rue Sainte-Catherine',
            shipcity: 'Montréal', shipzip: 'H2X 1K6', 'cardnumber*': '5555555555554444',
            'cardexpire*': '01/30',
        },
        choose: {
            'billstate*': 'California;0.0725', shipstate: 'Guam;0', shipcountry: 'CA',
            shiprate: 'Overseas;0-15;10-25;', 'cardtype*': 'MasterCard',
        },
    });
    assert.deepEqual(pairs, [
        ['billname*', 'Ann Lee'], ['billcompany', ''], ['billadd1*', '1 Main St'],
        ['billadd2', ''], ['billcity*', 'Sacramento'], ['billstate*', 'California;0.0725'],
        ['billzip*', '95814'], ['billcountry', 'US'], ['billphone1', ''], ['billfax', ''],
        ['billemail', ''],
        ['shipname', 'Zoë Tremblay'], ['shipcompany', ''],
        ['shipadd1', '500 Rue Sainte-Catherine'], ['shipadd2', ''], ['shipcity', 'Montréal'],
        ['shipstate', 'Guam;0'], ['shipzip', 'H2X 1K6'], ['shipcountry', 'CA'],
        ['shipphone1', ''], ['shipfax', ''],
        ['shipping', 'byratechart'], ['shiprate', 'Overseas;0-15;10-25;'],
        ['vdx_ratecomparison', 'byweight'],
        ['tax_shipping', 'yes'],
        ['cardtype*', 'MasterCard'], ['cardnumber*', '5555555555554444'],
        ['cardexpire*', '01/30'], ['ACCTNO', ''], ['ABACODE', ''], ['BANKNAME', ''],
        ['comments', ''],
        ['checkout', 'Proceed With Checkout'],
        ...orderSettings(['function', 'checkout']),
    ]);
});

test('UPS shipping with every value required, paid by electronic check', async () => {
    const pairs = await sendCheckout({
        kind: 'checkout_ups', method: '5', cards: '1234567', require: '123456789abcd',
        fill: {
            'billname*': 'Ann Lee', 'billcompany*': 'Lee & Co', 'billadd1*': '1 Main St',
            'billcity*': 'Columbus', 'billzip*': '43215', 'billphone1*': '614-555-0100',
            'billemail*': 'ann@example.com', 'shipname*': 'Bo Lee', 'shipcompany*': 'Lee & Co',
            'shipadd1*': '2 High St', 'shipcity*': 'Dayton', 'shipzip*': '45402',
            'shipphone1*': '937-555-0101', 'cardnumber*': '-', 'cardexpire*': '-',
            'ACCTNO*': '000123456789', 'ABACODE*': '011000015', 'BANKNAME*': 'First "Ohio" Bank',
        },
        choose: {
            'billstate*': 'Ohio;0.06', 'shipstate*': 'Ohio;0.06', 'cardtype*': 'ACH',
        },
    });
    assert.deepEqual(pairs, [
        ['billname*', 'Ann Lee'], ['billcompany*', 'Lee & Co'], ['billadd1*', '1 Main St'],
        ['billadd2', ''], ['billcity*', 'Columbus'], ['billstate*', 'Ohio;0.06'],
        ['billzip*', '43215'], ['billcountry', 'US'], ['billphone1*', '614-555-0100'],
        ['billfax', ''], ['billemail*', 'ann@example.com'],
        ['shipname*', 'Bo Lee'], ['shipcompany*', 'Lee & Co'], ['shipadd1*', '2 High St'],
        ['shipadd2', ''], ['shipcity*', 'Dayton'], ['shipstate*', 'Ohio;0.06'],
        ['shipzip*', '45402'], ['shipcountry', 'US'], ['shipphone1*', '937-555-0101'],
        ['shipfax', ''],
        ['shipping', 'ups_shipping'], ['ups_origin', 'US'], ['ups_origin_postal', '43215'],
        ['ups_baserate', '$1.50'], ['ups_ratechart', 'One Time Pickup'],
        ['ups_container', '22'], ['ups_services', '1DP;GND;XPR;XDM;'],
        ['tax_shipping', 'yes'],
        ['cardtype*', 'ACH'], ['cardnumber*', '-'], ['cardexpire*', '-'],
        ['ACCTNO*', '000123456789'], ['ABACODE*', '011000015'],
        ['BANKNAME*', 'First "Ohio" Bank'],
        ['comments', ''],
        ['checkout', 'Proceed With Checkout'],
        ...orderSettings(['vdxaction', 'UPS_Checkout']),
    ]);
});
