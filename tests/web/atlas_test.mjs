// The atlas as the site serves it (site/atlas): the index, a role page and
// the reverse lookup open in Chromium and work; a role page's link opens the
// viewer on its situation, and the page then shows the panel that the
// native reelctl-script shows after the same road.

import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { brokenPictures, nativeDump, pageControls, site, useSiteAndBrowser } from './harness.mjs';

const shared = useSiteAndBrowser();

// A page of the site that records its errors and the requests that failed.
async function open(context, address) {
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`${response.status()} ${response.url()}`);
  });
  await page.goto(address);
  return { page, problems };
}

test('atlas: the index, a role page and its pictures', async () => {
  const context = await shared.browser.newContext();
  const { page, problems } = await open(context, `${shared.server.url}atlas/`);
  const roles = await page.locator('a[href^="role-"]').evaluateAll((links) => links.map((link) => link.getAttribute('href')));
  assert.equal(new Set(roles).size, 180, 'a tree for each bet, stop order and role');
  assert.equal(await page.locator('a[href="lookup.html"]').count() > 0, true, 'the index links to the reverse lookup');

  // BIG BONUS at three coins, stop order 中→左→右.
  await page.locator('a[href="role-2-2-0.html"]').first().click();
  await page.waitForURL(/role-2-2-0\.html$/);
  const roads = await page.locator('a[href*="#road="]').count();
  assert.ok(roads > 1, `situations with links to the viewer (${roads})`);
  assert.ok(await page.locator('img').count() > 3, 'the situations are drawn with pictures');
  assert.deepEqual(await brokenPictures(page), [], 'every picture of the role page loads from the site');
  assert.deepEqual(problems, []);
  await context.close();
});

test('atlas: the reverse lookup lists the presses after a choice', async () => {
  const context = await shared.browser.newContext();
  const { page, problems } = await open(context, `${shared.server.url}atlas/lookup.html`);
  await page.locator('input[name=symbol]').first().waitFor();
  // The right reel's top line, three coins, the stop order 中→左→右 and the last symbol offered.
  await page.selectOption('#bet', '2');
  await page.selectOption('#order', '2');
  await page.selectOption('#reel', '2');
  await page.selectOption('#line', '2');
  const symbols = page.locator('input[name=symbol]');
  await symbols.last().check();
  const name = await symbols.last().evaluate((input) => input.parentElement.textContent);
  await page.waitForFunction(() => window.location.hash.includes('reel=2'));
  const sum = await page.locator('#sum').textContent();
  assert.match(sum, /^[1-9]\d* situations, [1-9]\d* presses put /, sum);
  assert.ok(sum.includes(name), `the sum names the symbol ${name}: ${sum}`);
  assert.match(page.url(), /bet=2&order=2&role=-1&reel=2&line=2&symbol=\d+$/, 'the choice is kept in the address');
  const results = page.locator('#out li');
  assert.ok(await results.count() > 0, 'results are listed');
  const first = await results.first().textContent();
  assert.match(first, /presses \d+/, first);
  assert.deepEqual(await brokenPictures(page), [], 'the symbols\' pictures load');

  // A result leads to its situation's drawing.
  const target = await results.first().locator('a').getAttribute('href');
  await results.first().locator('a').click();
  await page.waitForURL(/role-.*\.html#s\d+$/);
  const anchor = target.slice(target.indexOf('#') + 1);
  assert.equal(await page.locator(`[id="${anchor}"]`).count(), 1, `the situation ${anchor} is on the page`);
  assert.deepEqual(problems, []);
  await context.close();
});

// The lookup's answers (the sum and the first hundred situations) for a few
// choices, each opened afresh from its address.
async function lookupAnswers(context, base, route) {
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  if (route) await page.route('**/lookup-data.js', route);
  const answers = [];
  for (const choice of ['bet=2&order=2&role=-1&reel=2&line=2&symbol=0', 'bet=-1&order=-1&role=0&reel=1&line=1&symbol=3',
    'bet=0&order=5&role=-1&reel=0&line=0&symbol=7']) {
    await page.goto('about:blank');
    await page.goto(`${base}#${choice}`);
    await page.waitForFunction(() => /situations, /.test(document.getElementById('sum').textContent), null, { timeout: 10000 })
      .catch(async () => assert.fail(`${base}: ${await page.locator('#sum').textContent()}`));
    answers.push({ choice, sum: await page.locator('#sum').textContent(), out: await page.locator('#out').innerHTML() });
  }
  assert.deepEqual(problems, [], base);
  await page.close();
  return answers;
}

test('atlas: the reverse lookup opened from the files answers as over HTTP, and over HTTP from lookup.json alone', async () => {
  const context = await shared.browser.newContext();
  const served = await lookupAnswers(context, `${shared.server.url}atlas/lookup.html`);
  assert.ok(served.every((answer) => /^[1-9]\d* situations/.test(answer.sum)), JSON.stringify(served.map((a) => a.sum)));
  const fromFiles = await lookupAnswers(context, pathToFileURL(path.join(site, 'atlas', 'lookup.html')).href);
  assert.deepEqual(fromFiles, served, 'from file://');
  const fetched = await lookupAnswers(context, `${shared.server.url}atlas/lookup.html`, (route) => route.fulfill({ status: 404 }));
  assert.deepEqual(fetched, served, 'from lookup.json when lookup-data.js is missing');
  await context.close();
});

// The road of a viewer link, as reelctl-script takes it.
function roadOf(href) {
  return decodeURIComponent(href.slice(href.indexOf('#road=') + '#road='.length)).split('\n');
}

test('atlas: a role page\'s link opens the viewer on its situation', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  // The ten-coin role at three coins, stop order 0 (tables, press choices), and BIG BONUS at one coin, stop order 3.
  for (const role of ['role-2-0-10.html', 'role-0-3-0.html']) {
    const { page, problems } = await open(context, `${shared.server.url}atlas/${role}`);
    const links = await page.locator('a[href*="#road="]').evaluateAll((all) => all.map((link) => link.getAttribute('href')));
    assert.ok(links.length > 2, role);
    // The first situation, the deepest road of the page and one between.
    const deepest = links.reduce((a, b) => (roadOf(b).length > roadOf(a).length ? b : a));
    for (const href of [links[0], links[Math.floor(links.length / 2)], deepest]) {
      await page.goto(`${shared.server.url}atlas/${role}`);
      await page.locator(`a[href="${href}"]`).first().click();
      await page.waitForURL(/index\.html#road=/);
      await page.waitForFunction(() => document.documentElement.dataset.road !== undefined);
      assert.equal(await page.evaluate(() => document.documentElement.dataset.road), '0', 'the road played to its end');
      const road = roadOf(href);
      const dump = await nativeDump(road);
      assert.deepEqual(await pageControls(page), dump.controls, `the panel after: ${road.join(' / ')}`);
      assert.equal(await page.locator('.window .caption').first().textContent(), dump.caption, 'caption');
      const focus = await page.evaluate(() => {
        const id = document.activeElement && document.activeElement.dataset ? document.activeElement.dataset.id : undefined;
        return id === undefined ? null : Number(id);
      });
      assert.equal(focus, dump.focus, 'the focus');
      assert.ok(await page.locator('.window').isVisible(), 'the panel stays open for the user');
    }
    // Another road in the address of the open viewer: a fresh panel plays it.
    await page.evaluate((href) => { window.location.hash = href.slice(href.indexOf('#')); }, links[1]);
    await page.waitForFunction(() => document.documentElement.dataset.road !== undefined);
    assert.deepEqual(await pageControls(page), (await nativeDump(roadOf(links[1]))).controls, 'the panel after a new road');
    assert.deepEqual(problems, []);
  }
  await context.close();
});
