// Stands in for the cart server and the order-retrieval address: records every
// form post and answers a short page. Loopback only, on a port the system picks;
// it stops by itself after a number of requests or a time, whichever comes
// first, so a test that hangs cannot leave it listening.
import { createServer } from 'node:http';

const kFormType = 'application/x-www-form-urlencoded';

// The pairs in the order the browser sent them, '+' and %XX decoded in the
// encoding of the page the form was on.
export function formPairs(body, encoding = 'utf-8') {
    const decoder = new TextDecoder(encoding);
    const decode = (text) => decoder.decode(Buffer.from(
        text.replaceAll('+', ' ').replace(/%([0-9a-f]{2})/gi,
                                          (_, hex) => String.fromCharCode(parseInt(hex, 16))),
        'latin1'));
    if (body === '')
        return [];
    return body.split('&').map((pair) => {
        const at = pair.indexOf('=');
        if (at < 0)
            return [decode(pair), ''];
        return [decode(pair.slice(0, at)), decode(pair.slice(at + 1))];
    });
}

export async function startCaptureServer({
    maxRequests = 200,
    lifetimeMs = 150_000,
    maxBodyBytes = 1 << 20,
} = {}) {
    const posts = [];
    const waiting = [];
    let requests = 0;
    let taken = 0;

    const record = (post) => {
        posts.push(post);
        const next = waiting.shift();
        if (next) {
            ++taken;
            next(post);
        }
    };
    const answer = (response, status, text) => {
        response.writeHead(status,
                           { 'Content-Type': 'text/html; charset=utf-8', Connection: 'close' });
        response.end('<!DOCTYPE html><html lang="en"><head><title>Cart</title></head>' +
                     `<body><p>${text}</p></body></html>`);
    };

    const server = createServer((request, response) => {
        if (++requests > maxRequests) {
            answer(response, 503, 'Too many requests');
            stop();
            return;
        }
        if (request.method !== 'POST') {
            answer(response, 404, 'Not here');
            return;
        }
        const chunks = [];
        let size = 0;
        request.on('data', (chunk) => {
            size += chunk.length;
            if (size <= maxBodyBytes)
                chunks.push(chunk);
        });
        request.on('end', () => {
            if (size > maxBodyBytes) {
                answer(response, 413, 'Too large');
                return;
            }
            const body = Buffer.concat(chunks).toString('latin1'); // percent-encoded: ASCII only
            const contentType = request.headers['content-type'] ?? '';
            record({
                path: request.url,
                contentType,
                body,
                pairs: contentType.startsWith(kFormType) ? formPairs(body) : null,
            });
            answer(response, 200, `Received ${posts.length}`);
        });
    });

    const closed = new Promise((resolve) => server.once('close', resolve));
    let timer;
    const stop = () =>
        new Promise((resolve) => {
            clearTimeout(timer);
            server.close(() => resolve());
            server.closeAllConnections?.();
        });
    await new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(0, '127.0.0.1', resolve);
    });
    timer = setTimeout(stop, lifetimeMs);
    timer.unref();
    const { port } = server.address();

    return {
        origin: `http://127.0.0.1:${port}`,
        posts,
        // The next post not yet taken; fails after timeoutMs.
        nextPost(timeoutMs = 10_000) {
            if (posts.length > taken)
                return Promise.resolve(posts[taken++]);
            return new Promise((resolve, reject) => {
                const waiter = (post) => {
                    clearTimeout(wait);
                    resolve(post);
                };
                const wait = setTimeout(() => {
                    waiting.splice(waiting.indexOf(waiter), 1);
                    reject(new Error(`no form post arrived within ${timeoutMs} ms`));
                }, timeoutMs);
                waiting.push(waiter);
            });
        },
        stop,
        // Settles once the server has stopped, by itself or by stop().
        closed,
    };
}
