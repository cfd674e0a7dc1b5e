#!/usr/bin/env bash
# firefox_page.sh URL POSTS SECONDS: opens URL in Firefox ESR with a fresh profile of its own (no
# first-run pages, no network but 127.0.0.1) on the current $DISPLAY, and waits until the page has
# posted POSTS/done or POSTS/error.txt, or SECONDS have passed; then ends that Firefox. Exit status
# 0 only for "done". Firefox needs a display with GL (with-xvfb): --headless gets no WebGL.
set -euo pipefail
url=$1 posts=$2 seconds=$3
profile=$(mktemp -d "${TMPDIR:-/tmp}/z3d-firefox.XXXXXX")
pid=""
cleanup() {
  # Its own process group: the content processes go with it.
  [ -n "$pid" ] && kill -- "-$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  rm -rf "$profile"
}
trap cleanup EXIT
cat >"$profile/user.js" <<'PREFS'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.page", 0);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.policy.firstRunURL", "");
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("toolkit.telemetry.enabled", false);
user_pref("app.update.auto", false);
user_pref("app.normandy.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("browser.search.update", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("browser.safebrowsing.downloads.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("toolkit.startup.max_resumed_crashes", -1);
user_pref("browser.tabs.warnOnClose", false);
// Everything but 127.0.0.1 goes to a proxy that is not there.
user_pref("network.proxy.type", 1);
user_pref("network.proxy.http", "127.0.0.1");
user_pref("network.proxy.http_port", 9);
user_pref("network.proxy.ssl", "127.0.0.1");
user_pref("network.proxy.ssl_port", 9);
user_pref("network.proxy.no_proxies_on", "127.0.0.1");
PREFS
setsid firefox-esr --no-remote --new-instance --profile "$profile" "$url" >"$profile/firefox.log" 2>&1 &
pid=$!
for _ in $(seq $((seconds * 5))); do
  [ -e "$posts/done" ] && exit 0
  if [ -e "$posts/error.txt" ]; then
    sleep 0.5
    echo "the page failed:" >&2
    cat "$posts/error.txt" >&2
    exit 1
  fi
  kill -0 "$pid" 2>/dev/null || { echo "Firefox ended before the page was done" >&2; cat "$profile/firefox.log" >&2; exit 1; }
  sleep 0.2
done
echo "the page was not done within $seconds s" >&2
exit 1
