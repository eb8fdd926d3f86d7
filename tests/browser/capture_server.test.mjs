// The stand-in cart server itself: what it records, and that it stops by itself.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { formPairs, startCaptureServer } from './capture_server.mjs';

const kForm = { 'Content-Type': 'application/x-www-form-urlencoded' };

test('decodes form bodies in order, in the page encoding', () => {
    assert.deepEqual(formPairs('a=1&b=x+y%2B%26&a=2&empty=&bare'),
                     [['a', '1'], ['b', 'x y+&'], ['a', '2'], ['empty', ''], ['bare', '']]);
    assert.deepEqual(formPairs('n=B%C3%BCcher'), [['n', 'Bücher']]);
    assert.deepEqual(formPairs('n=B%FCcher', 'windows-1252'), [['n', 'Bücher']]);
    assert.deepEqual(formPairs(''), []);
});

test('records posts on loopback and answers a page', async () => {
    const server = await startCaptureServer({ maxBodyBytes: 64 });
    try {
        assert.match(server.origin, /^http:\/\/127\.0\.0\.1:\d+$/);
        const post = (path, body, headers = kForm) =>
            fetch(`${server.origin}${path}`, { method: 'POST', headers, body });
        const response = await post('/cart', 'a=1');
        assert.equal(response.status, 200);
        assert.match(await response.text(), /Received 1/);
        assert.deepEqual(await server.nextPost(), {
            path: '/cart', contentType: kForm['Content-Type'], body: 'a=1', pairs: [['a', '1']],
        });

        await post('/orders', 'plain', { 'Content-Type': 'text/plain' });
        assert.equal((await server.nextPost()).pairs, null);
        assert.equal((await fetch(`${server.origin}/favicon.ico`)).status, 404);
        assert.equal((await post('/cart', 'x'.repeat(65))).status, 413);
        assert.equal(server.posts.length, 2);
        await assert.rejects(server.nextPost(50), /no form post arrived/);
    } finally {
        await server.stop();
    }
});

test('stops after its request limit and after its lifetime', async () => {
    const limited = await startCaptureServer({ maxRequests: 1 });
    await fetch(`${limited.origin}/`);
    assert.equal((await fetch(`${limited.origin}/`)).status, 503);
    await assert.rejects(fetch(`${limited.origin}/`));

    const shortLived = await startCaptureServer({ lifetimeMs: 50 });
    await shortLived.closed;
    await assert.rejects(fetch(`${shortLived.origin}/`));
});
