// The browsers the page tests drive (report_test.mjs, logbook_test.mjs).
import path from 'node:path';

// The browsers as Debian installs them, each started headless, offline and with a profile of its
// own in `scratch`.
export const BROWSERS = {
  chromium: {
    executable: '/usr/bin/chromium',
    screenshot: 'report-demo.png',
    seesFileLoads: true,
    launchOptions: (scratch) => ({
      executablePath: '/usr/bin/chromium',
      headless: true,
      userDataDir: path.join(scratch, 'profile'),
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    }),
  },
  firefox: {
    executable: '/usr/bin/firefox-esr',
    screenshot: 'report-demo-firefox.png',
    // Firefox tells the driver of no file: request, and the page's Content-Security-Policy does
    // not stop it loading a file beside a file:// page: such a load is left to Chromium to catch.
    seesFileLoads: false,
    launchOptions: (scratch) => ({
      browser: 'firefox',
      executablePath: '/usr/bin/firefox-esr',
      headless: true,
      userDataDir: path.join(scratch, 'profile'),
      // A home of its own (root in a container may have none to write to). Its settings service
      // takes the server below only when MOZ_REMOTE_SETTINGS_DEVTOOLS is set; otherwise it looks
      // up Mozilla's servers while the test runs.
      env: { ...process.env, HOME: scratch, MOZ_REMOTE_SETTINGS_DEVTOOLS: '1' },
      extraPrefsFirefox: {
        // A data: address needs no name lookup.
        'services.settings.server': 'data:,#remote-settings-dummy/v1',
        // file:// pages get the origin rules a user's Firefox has; puppeteer relaxes them.
        'security.fileuri.strict_origin_policy': true,
      },
    }),
  },
};

// What a page does once opened at `url`: console errors, uncaught errors and requests other than
// the page itself (a load the page's Content-Security-Policy blocks shows as an error naming the
// address), and dialogs, which the caller answers.
export function watch(page, url) {
  const seen = { errors: [], requests: [], dialogs: [] };
  page.on('console', (message) => {
    if (message.type() === 'error') seen.errors.push(message.text());
  });
  page.on('pageerror', (error) => seen.errors.push(String(error)));
  page.on('request', (request) => {
    if (request.url() !== url) seen.requests.push(request.url());
  });
  return seen;
}
