"use strict";
// The player page. The host drives it through window.quen and polls quen.read(); nothing here
// calls the host, so a movie's script can reach nothing beyond what the page itself shows.
(function () {
    const ourScheme = "quen:";

    // Chromium of this Qt refuses fetch() on custom schemes while XHR works; the engine fetches its
    // code and movies with fetch, so our URLs go through XHR.
    const realFetch = window.fetch.bind(window);
    function fetchByXhr(href, init) {
        return new Promise(function (resolve, reject) {
            const xhr = new XMLHttpRequest();
            xhr.open((init && init.method) || "GET", href);
            xhr.responseType = "arraybuffer";
            xhr.onload = function () {
                const type = xhr.getResponseHeader("Content-Type") || "application/octet-stream";
                const status = xhr.status >= 200 && xhr.status < 600 ? xhr.status : 200;
                const response = new Response(xhr.response, { status: status, headers: { "Content-Type": type } });
                Object.defineProperty(response, "url", { value: href });
                resolve(response);
            };
            xhr.onerror = function () { reject(new TypeError("Failed to fetch " + href)); };
            xhr.send((init && init.body) || null);
        });
    }

    // The engine's code (the host names the file) is fetched and compiled from the page's start,
    // while the engine's script still loads and builds its first player; the engine then gets the
    // compiled module. The bytes are read once, by the compiler: what the engine's fetch gets is an
    // empty stand-in, and should the early compile fail the engine's code is fetched again.
    let early = null;
    if (document.documentElement.dataset.engineCode) {
        const href = new URL(document.documentElement.dataset.engineCode, document.baseURI).href;
        const module = fetchByXhr(href).then(function (r) { return WebAssembly.compileStreaming(r); });
        module.catch(function () { });
        early = { href: href, module: module };
    }
    const realInstantiateStreaming = WebAssembly.instantiateStreaming;
    WebAssembly.instantiateStreaming = function (source, imports) {
        if (!early || !early.handedOut)
            return realInstantiateStreaming.call(WebAssembly, source, imports);
        const href = early.href, module = early.module;
        early = null;
        return module.then(function (m) {
            return WebAssembly.instantiate(m, imports).then(function (instance) { return { module: m, instance: instance }; });
        }, function () { return realInstantiateStreaming.call(WebAssembly, fetchByXhr(href), imports); });
    };

    window.fetch = function (input, init) {
        const href = input instanceof Request ? input.url : String(input);
        const url = new URL(href, document.baseURI);
        if (url.protocol !== ourScheme)
            return realFetch(input, init);
        if (early && url.href === early.href && !early.handedOut) {
            early.handedOut = true;
            return Promise.resolve(new Response(new ArrayBuffer(0), { headers: { "Content-Type": "application/wasm" } }));
        }
        if (early && url.pathname.endsWith(".wasm") && url.href !== early.href)
            early = null; // the engine wants other code: what was fetched early must not stay in memory
        // The engine asks for the movie once its player exists and before any of it can sound.
        applyVolume();
        return fetchByXhr(url.href, init);
    };

    // Save data: the engine keeps a movie's shared objects in localStorage under keys that begin with
    // the movie's URL (host/movie/<generation>/...). The engine's storage goes through a proxy that
    // notes every change, so that a read sends the entries only after the movie changed them; keys
    // under the movie's generation travel as "./rest", the generation being new on every load.
    const storage = window.localStorage;
    const SaveCapChars = 1024 * 1024; // the host keeps no more than this of a movie either
    const ReportEveryMs = 2000; // a movie saving in a loop is sent at most this often
    const generationKey = new RegExp("^" + location.hostname + "/movie/\\d+/");
    let savesChanged = false;
    let savesSentAt = -Infinity;
    const watched = new Proxy(storage, {
        get: function (target, key) {
            const value = Reflect.get(target, key, target);
            if (typeof value !== "function")
                return value;
            if (key === "setItem" || key === "removeItem" || key === "clear")
                savesChanged = true;
            return value.bind(target);
        },
        set: function (target, key, value) {
            target.setItem(key, value);
            savesChanged = true;
            return true;
        },
        deleteProperty: function (target, key) {
            target.removeItem(key);
            savesChanged = true;
            return true;
        },
    });
    Object.defineProperty(window, "localStorage", { value: watched, configurable: false });

    function savedEntries() {
        const entries = {};
        let size = 0;
        for (const key of Object.keys(storage).sort()) {
            const value = storage.getItem(key);
            if (value === null || size + key.length + value.length > SaveCapChars)
                continue;
            size += key.length + value.length;
            entries[key.replace(generationKey, "./")] = value;
        }
        return entries;
    }

    // The engine writes a movie's shared objects once more when its player goes: end it first when
    // the movie is over, so that this last write is its own and no later movie's.
    function endPlayer() {
        if (player)
            player.remove();
        player = null;
    }

    // The movie's entries as the host should keep them; null when nothing changed since last time.
    function takeSaves(ending) {
        if (ending)
            endPlayer();
        if (!savesChanged)
            return null;
        savesChanged = false;
        savesSentAt = Date.now();
        return savedEntries();
    }

    // Only the coming movie's entries stay, under its generation; null carries the last movie's
    // over, for the same file played again.
    function restoreSaves(gen, entries) {
        const next = entries === null ? savedEntries() : entries;
        storage.clear();
        for (const key of Object.keys(next)) {
            try {
                storage.setItem(key.startsWith("./") ? location.hostname + "/movie/" + gen + "/" + key.slice(2) : key,
                    String(next[key]));
            } catch (e) {
                // Over the page's quota: the rest stays out, as the host's cap would keep it.
            }
        }
        savesChanged = false;
    }

    window.RufflePlayer = window.RufflePlayer || {};
    window.RufflePlayer.config = { publicPath: "quen://player/ruffle/", polyfills: false };

    const Callback = { frame: "quenFrame", goto: "quenGoto", play: "quenPlay", stop: "quenStop", scale: "quenScale",
        root: "quenRoot" };
    const Scales = { ShowAll: "showAll", NoScale: "noScale", ExactFit: "exactFit" };
    // How long a probed movie may take to answer before it is played as one without a probe.
    const ProbeWaitMs = 3000;
    // Pushes off the same frame that the movie undid (it went back there and stopped again) before
    // the frame counts as one the movie cannot leave.
    const MaxBouncedSkips = 4;

    let player = null;
    let movie = null; // { gen, probe, total, playing, loadedAt, probeUp, failed }
    let settings = { scale: "ShowAll", background: "#000000", transparent: true, renderer: "auto" };

    function baseConfig() {
        return {
            autoplay: "on",
            splashScreen: false,
            unmuteOverlay: "hidden",
            contextMenu: "off",
            letterbox: "off",
            preferredRenderer: renderer(),
            // The probe needs both; the host enforces its own restrictions outside the engine.
            allowScriptAccess: true,
            allowNetworking: "all",
            openUrlMode: "allow",
            warnOnUnsupportedContent: false,
            showSwfDownload: false,
            logLevel: "error",
            quality: "high",
            wmode: settings.transparent ? "transparent" : "window",
            scale: Scales[settings.scale] || "showAll",
            backgroundColor: settings.transparent ? null : settings.background,
            // A movie's script that runs on is cut after this many seconds a frame, not Flash's 15.
            maxExecutionDuration: 3,
        };
    }

    // WebGL draws at a fraction of the CPU when Chromium runs it on a GPU; when it would fall back to
    // software (no GPU, Xvfb, offscreen) Canvas2D is cheaper, and asking for it spares the engine
    // two failing renderer probes per load.
    let accelerated = null;
    function renderer() {
        if (settings.renderer === "canvas" || settings.renderer === "webgl")
            return settings.renderer;
        if (accelerated === null) {
            const gl = document.createElement("canvas").getContext("webgl", { failIfMajorPerformanceCaveat: true });
            accelerated = !!gl;
            if (gl && gl.getExtension("WEBGL_lose_context"))
                gl.getExtension("WEBGL_lose_context").loseContext();
        }
        return accelerated ? "webgl" : "canvas";
    }

    function newPlayer() {
        endPlayer();
        player = window.RufflePlayer.newest().createPlayer();
        document.body.appendChild(player);
        return player;
    }

    function api() { return player ? player.ruffle() : null; }

    let volume = 1; // 0 to 1; every new player takes it before its movie arrives
    function applyVolume() {
        const r = api();
        if (r && Math.abs(r.volume - volume) > 1e-6)
            r.volume = volume;
    }

    // Where the stage lies in the page under a scale mode, stage centred as the engine places it.
    function stageRect(mode, stageWidth, stageHeight) {
        const w = window.innerWidth, h = window.innerHeight;
        if (mode === "ExactFit")
            return { x: 0, y: 0, w: w, h: h };
        const k = mode === "NoScale" ? 1 : Math.min(w / stageWidth, h / stageHeight);
        return { x: (w - stageWidth * k) / 2, y: (h - stageHeight * k) / 2, w: stageWidth * k, h: stageHeight * k };
    }

    // The engine takes its scale mode when a movie loads and offers no way to change it later; a
    // probe changes it live. A movie without one is moved from where the engine draws its stage to
    // where the chosen mode puts it, until it is loaded again with that mode.
    function fitStage() {
        if (!player)
            return;
        const r = api();
        const meta = r && r.readyState >= 2 ? r.metadata : null;
        let transform = "";
        if (movie && !movie.probeUp && meta && meta.width > 0 && meta.height > 0 && settings.scale !== movie.loadScale) {
            const from = stageRect(movie.loadScale, meta.width, meta.height);
            const to = stageRect(settings.scale, meta.width, meta.height);
            const sx = to.w / from.w, sy = to.h / from.h;
            transform = "matrix(" + [sx, 0, 0, sy, to.x - sx * from.x, to.y - sy * from.y].join(",") + ")";
        }
        // Compared with what was set, not with the style, which the browser rewrites.
        if (player.quenTransform !== transform) {
            player.quenTransform = transform;
            player.style.transformOrigin = "0 0";
            player.style.transform = transform;
        }
    }
    window.addEventListener("resize", fitStage);

    function call(name) {
        const args = Array.prototype.slice.call(arguments, 1);
        try {
            return api().callExternalInterface(name, ...args);
        } catch (e) {
            return undefined;
        }
    }

    // Whether the root really moves: the probe's hold on the last frame and the movie's own stop()
    // say nothing, so a frame that outlasts a few frame periods while playing means it stopped.
    function moving(frame, frameRate) {
        const now = Date.now();
        if (frame !== movie.lastFrame) {
            movie.lastFrame = frame;
            movie.frameSince = now;
        }
        const period = 1000 / Math.max(frameRate || 24, 1);
        return now - movie.frameSince <= Math.max(2.5 * period, 150);
    }

    // A stop before the probe answered can only freeze the whole player: undo that on play.
    function thaw() {
        if (movie && movie.suspended && api()) {
            movie.suspended = false;
            api().resume();
        }
    }

    function probeFrame() {
        if (!movie || movie.probe === "none" || !api())
            return undefined;
        const frame = call(Callback.frame);
        if (frame === -1) {
            // An ActionScript 3 movie whose document class is a Sprite: it has no timeline to drive.
            movie.probe = "none";
            movie.noTimeline = true;
        }
        // 0: level 0 holds no movie (one it was loading could not come); its frame is still read,
        // and the movie is judged as one that does not move.
        return typeof frame === "number" && frame >= 0 ? frame : undefined;
    }

    // A movie loaded into level 0 replaces the root and registers its own callbacks, which say who
    // holds level 0 now and how many frames it has ("identity:frames").
    function followRoot() {
        const root = call(Callback.root);
        if (typeof root !== "string" || root === movie.rootId)
            return;
        const frames = parseInt(root.slice(root.lastIndexOf(":") + 1), 10);
        if (frames > 0) {
            movie.total = frames;
            ++movie.roots;
            movie.frameSince = Date.now();
        }
        movie.rootId = root;
    }

    function snapshot() {
        if (!movie)
            return { gen: -1, ready: false };
        // The engine's error screen: it has given up on the movie and must be started again.
        if (player && player.shadowRoot && player.shadowRoot.getElementById("panic"))
            return { gen: movie.gen, ready: false, panicked: true };
        applyVolume();
        const r = api();
        const loaded = r && r.readyState >= 2 && r.metadata;
        let frame = 0;
        if (loaded) {
            if (!movie.loadedAt)
                movie.loadedAt = Date.now();
            const f = probeFrame();
            if (f !== undefined) {
                if (!movie.probeUp) {
                    movie.probeUp = true;
                    call(Callback.scale, Scales[settings.scale] || "showAll");
                    // A stop that came before the probe could answer takes effect now.
                    if (!movie.playing) {
                        call(Callback.stop);
                        thaw();
                    }
                }
                frame = f;
                // Below the frame last pushed from, the movie went round a loop of its own rather
                // than back to a frame that waits: the next push from there starts again at the
                // next frame, or the pushes would carry it out of a loop the monitor is timing.
                if (frame > 0 && frame < movie.skipFrom)
                    movie.skipFrom = 0;
                followRoot();
            } else if (!movie.probeUp && movie.probe !== "none" && Date.now() - movie.loadedAt > ProbeWaitMs) {
                movie.probe = "none";
            }
            if (movie.probe === "none" && !movie.playing && !movie.suspended) {
                movie.suspended = true;
                r.suspend();
            }
        }
        const probed = movie.probeUp;
        if (loaded)
            fitStage();
        return {
            gen: movie.gen,
            ready: !!loaded && (probed || movie.probe === "none"),
            failed: movie.failed,
            frame: frame,
            total: probed ? movie.total : (loaded ? r.metadata.numFrames : 0),
            playing: probed ? movie.playing && moving(frame, r.metadata.frameRate) : !!(r && r.isPlaying),
            probe: probed,
            timeline: !movie.noTimeline,
            root: movie.roots,
        };
    }

    window.quen = {
        // Loads a blank movie so that the engine compiles its code before the user picks a movie.
        warmUp: function (url) {
            newPlayer().ruffle().load(Object.assign(baseConfig(), { url: url })).catch(function () { });
            movie = null;
        },
        // True once the engine has compiled its code (the blank movie of warmUp is ready).
        warm: function () {
            const r = api();
            return !!r && r.readyState >= 2;
        },
        volume: function (level) {
            volume = level;
            applyVolume();
        },
        settings: function (next) {
            settings = Object.assign(settings, next);
            document.body.style.background = settings.background;
            if (movie && movie.probeUp)
                call(Callback.scale, Scales[settings.scale] || "showAll");
            fitStage();
        },
        // root: how the movie's probe names it (see followRoot); saves: its save data (see restoreSaves).
        load: function (gen, url, probe, total, root, saves) {
            endPlayer();
            restoreSaves(gen, saves);
            movie = { gen: gen, probe: probe, total: total, playing: true, loadedAt: 0, probeUp: false, failed: false,
                noTimeline: false, suspended: false, lastFrame: 0, frameSince: 0, loadScale: settings.scale,
                rootId: root, roots: 0, skipFrom: 0, skipStep: 0, skipTries: 0 };
            const current = movie;
            // The movie's own relative loads resolve in its folder, which its URL's folder stands for.
            const base = url.slice(0, url.lastIndexOf("/") + 1);
            newPlayer().ruffle().load(Object.assign(baseConfig(), { url: url, base: base })).catch(function () {
                current.failed = true;
            });
        },
        takeSaves: takeSaves,
        unload: function () {
            endPlayer();
            movie = null;
        },
        // The snapshot: { gen, ready, frame (1-based or 0), total, playing, probe, saves when changed }.
        read: function () {
            const state = snapshot();
            state.accelerated = accelerated; // null until a load asked Chromium
            if (savesChanged && movie && state.gen === movie.gen && Date.now() - savesSentAt >= ReportEveryMs)
                state.saves = takeSaves(false);
            return state;
        },
        play: function () {
            if (!movie)
                return;
            movie.playing = true;
            movie.frameSince = Date.now();
            thaw();
            if (movie.probeUp)
                call(Callback.play);
        },
        stop: function () {
            if (!movie)
                return;
            movie.playing = false;
            // A probe still to answer gets the stop when it does: pausing the whole player now
            // would keep the movie from ever running the frame that brings the probe up.
            if (movie.probeUp) {
                call(Callback.stop);
            } else if (movie.probe === "none" && api()) {
                movie.suspended = true;
                api().suspend();
            }
        },
        // frame is 1-based and already clamped by the host; returns the frame the movie is on.
        gotoFrame: function (frame) {
            if (!movie || !movie.probeUp)
                return 0;
            const reached = call(Callback.goto, frame);
            movie.frameSince = Date.now();
            if (movie.playing)
                call(Callback.play);
            return typeof reached === "number" ? reached : 0;
        },
        // Moves off a frame that waits for a click: frame + 1, + 2, ... until the frame changes.
        skip: function (from, total, attempts) {
            if (!movie || !movie.probeUp)
                return from;
            // Asked again from the same frame: the last push was undone by the movie's own script
            // (a frame that sends it back until a part arrives), so this one goes further.
            const again = movie.skipFrom === from;
            movie.skipTries = again ? movie.skipTries + 1 : 1;
            const first = again ? movie.skipStep + 1 : 1;
            movie.skipFrom = from;
            if (movie.skipTries > MaxBouncedSkips)
                return from;
            const now = probeFrame();
            if (now === 0)
                return from; // nothing on level 0 to move
            let reached = now || from;
            for (let step = first; reached === from && step <= attempts; ++step) {
                movie.skipStep = step;
                const target = Math.min(reached + step, total);
                reached = call(Callback.goto, target);
                if (typeof reached !== "number")
                    return from;
                // Past the end every further try lands on the same last frame.
                if (target === total && reached === from)
                    break;
            }
            if (reached !== from) {
                movie.playing = true;
                movie.frameSince = Date.now();
                thaw();
                call(Callback.play);
            }
            return reached;
        },
    };
})();
