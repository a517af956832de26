// The page around the game: it turns the page's address into the game's command line, shows the
// data loading, scales the picture, and tells what happened once the game has ended.
// Everything the game reads comes from this page's folder.
(function () {
  "use strict";

  const params = new URLSearchParams(location.search);
  const root = document.documentElement;
  const canvas = document.getElementById("canvas");
  const loading = document.getElementById("loading");
  const barFill = document.getElementById("bar-fill");
  const loadingText = document.getElementById("loading-text");
  const ended = document.getElementById("ended");
  const filterChoice = document.getElementById("scale-filter");

  const STATE_FILE = "/tmp/kervana-state.json";
  const RECORDING_FILE = "/tmp/kervana.recording";
  const MAP_FOLDER = "/data/maps";
  const SCREENSHOT_FOLDER = "/home/web_user/Pictures/Kervana";

  // A run that checks a build: a script or a recording, played headless as fast as it goes.
  const checkKind = params.has("replay") ? "replay" : params.has("script") ? "script" : null;
  const checking = checkKind !== null;
  // ?bench=N: the frame benchmark's program instead of the game, on the same data.
  const benchFrames = params.get("bench");
  const program = benchFrames !== null ? "kervana-frame-bench" : "kervana";
  const recording = !checking && params.get("record") === "1";

  // Files the command line names are fetched from the page's folder into the game's own.
  const fetched = [];
  const args = ["--data", "/data"];
  if (benchFrames !== null) {
    args.push(benchFrames);
  } else if (checking) {
    const path = params.get(checkKind);
    const local = "/page/" + (path.split("/").pop() || "session");
    fetched.push([path, local]);
    args.push("--headless", "--" + checkKind, local, "--state-out", STATE_FILE);
  } else {
    // The page is the game's window; the browser's full screen is the page's to ask for.
    args.push("--windowed");
    if (recording) args.push("--record", RECORDING_FILE);
  }

  // The scaling filter is a setting of the page: the browser scales the canvas.
  const savedFilter = localStorage.getItem("kervana-scale-filter") || "linear";
  function applyFilter(filter) {
    document.body.classList.toggle("nearest", filter === "nearest");
    filterChoice.value = filter;
  }
  applyFilter(params.get("scale-filter") || savedFilter);
  filterChoice.addEventListener("change", function () {
    localStorage.setItem("kervana-scale-filter", filterChoice.value);
    applyFilter(filterChoice.value);
    canvas.focus();
  });

  // The first picture's time, for anyone measuring how soon the page shows the game.
  const context = CanvasRenderingContext2D.prototype;
  const putImageData = context.putImageData;
  context.putImageData = function () {
    if (this.canvas === canvas && !root.hasAttribute("data-first-picture-ms")) {
      root.setAttribute("data-first-picture-ms", String(Math.round(performance.now())));
    }
    return putImageData.apply(this, arguments);
  };

  function showProgress(fraction, text) {
    barFill.style.width = (100 * fraction).toFixed(1) + "%";
    loading.setAttribute("aria-valuenow", String(Math.round(100 * fraction)));
    if (text) loadingText.textContent = text;
  }

  function download(bytes, name, type) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: type }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    return link.href;
  }

  function readText(fs, path) {
    try {
      return fs.readFile(path, { encoding: "utf8" });
    } catch (e) {
      return "";
    }
  }

  // Screenshots land in the game's picture folder; the page hands each new one to the browser.
  const offered = new Set();
  function offerScreenshots(fs) {
    let names = [];
    try {
      names = fs.readdir(SCREENSHOT_FOLDER);
    } catch (e) {
      return;
    }
    for (const name of names) {
      if (!name.endsWith(".png") || offered.has(name)) continue;
      offered.add(name);
      download(fs.readFile(SCREENSHOT_FOLDER + "/" + name), name, "image/png");
    }
  }

  function keepMaps(fs) {
    return new Promise(function (resolve) {
      fs.syncfs(false, function () { resolve(); });
    });
  }

  let screenshotTimer = null;
  let mapTimer = null;
  function showBench(line) {
    const pre = document.createElement("pre");
    pre.id = "kervana-bench";
    pre.textContent = line;
    document.body.appendChild(pre);
  }

  function finish(status) {
    const fs = Module.FS;
    gameRunning = false;
    if (benchFrames !== null) {
      loading.hidden = true;
      if (!document.getElementById("kervana-bench")) showBench(JSON.stringify({ status: status }));
      return;
    }
    if (screenshotTimer !== null) clearInterval(screenshotTimer);
    if (mapTimer !== null) clearInterval(mapTimer);
    loading.hidden = true;
    if (checking) {
      const pre = document.createElement("pre");
      pre.id = "kervana-state";
      pre.setAttribute("data-status", String(status));
      pre.textContent = readText(fs, STATE_FILE);
      document.body.appendChild(pre);
      return;
    }
    offerScreenshots(fs);
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
    if (recording) {
      const link = document.getElementById("recording");
      try {
        link.href = download(fs.readFile(RECORDING_FILE), "kervana.recording", "text/plain");
        link.hidden = false;
      } catch (e) {
        // A game that never started leaves no recording behind.
      }
    }
    keepMaps(fs).then(function () {
      ended.hidden = false;
      document.getElementById("again").focus();
    });
  }

  // The game's end unwinds whatever call of the page's it ended in: no error.
  window.addEventListener("error", function (event) {
    if (event.error && event.error.name === "ExitStatus") event.preventDefault();
  });

  document.getElementById("again").addEventListener("click", function () {
    location.reload();
  });

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function () {});
    } else {
      root.requestFullscreen().catch(function () {});
    }
    canvas.focus();
  }
  document.getElementById("fullscreen").addEventListener("click", toggleFullScreen);
  // Alt+Enter, as on the desktop: only the page may ask for the browser's full screen, and only
  // while a key is down. The game sees the key too and switches its own display mode.
  window.addEventListener("keydown", function (event) {
    if (event.altKey && event.key === "Enter" && !event.repeat) toggleFullScreen();
  }, true);

  // In the browser's full screen Escape leaves it, as everywhere in a browser, and goes no
  // further: the game ends only on an Escape pressed outside it. A browser that leaves full
  // screen on its own may still hand the page that Escape a moment later; it is not the
  // player's Escape for the game either.
  let leftFullScreenAt = -Infinity;
  document.addEventListener("fullscreenchange", function () {
    if (!document.fullscreenElement) leftFullScreenAt = performance.now();
  });
  let escapeHeldBack = false;
  function holdBackEscape(event) {
    if (event.key !== "Escape") return;
    const justLeft = performance.now() - leftFullScreenAt < 500;
    if (event.type === "keydown") {
      escapeHeldBack = document.fullscreenElement !== null || justLeft;
      if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
    } else if (justLeft) {
      // The browser kept the key's press to itself and hands on only its release.
      escapeHeldBack = true;
    }
    if (escapeHeldBack) {
      event.stopImmediatePropagation();
      event.preventDefault();
    }
  }
  window.addEventListener("keydown", holdBackEscape, true);
  window.addEventListener("keyup", holdBackEscape, true);

  // The name field's clipboard is the browser's. A paste hands the pasted text to the game
  // before the game reads the Ctrl+V that made it (the key came first, but the game reads its
  // keys only at its next frame). What the game copies or cuts reaches the browser once the
  // game has taken it, a frame or two after the key (a copy that changes nothing leaves the
  // browser's clipboard alone).
  const MAX_CLIPBOARD_CHARS = 64 * 1024;
  let gameRunning = false;
  function gameClipboard() {
    const text = Module._SDL_GetClipboardText();
    const copied = Module.UTF8ToString(text);
    Module._SDL_free(text);
    return copied;
  }
  window.addEventListener("paste", function (event) {
    if (!gameRunning || !event.clipboardData) return;
    const text = event.clipboardData.getData("text/plain").slice(0, MAX_CLIPBOARD_CHARS);
    Module.ccall("SDL_SetClipboardText", "number", ["string"], [text]);
    event.preventDefault();
  }, true);
  function offerCopy() {
    if (!gameRunning) return;
    const before = gameClipboard();
    const started = performance.now();
    const watch = setInterval(function () {
      const now = gameRunning ? gameClipboard() : before;
      if (now === before && performance.now() - started < 1000) return;
      clearInterval(watch);
      if (now !== before && navigator.clipboard) navigator.clipboard.writeText(now).catch(function () {});
    }, 20);
  }
  window.addEventListener("keydown", function (event) {
    const key = event.key.toLowerCase();
    if ((event.ctrlKey || event.metaKey) && (key === "c" || key === "x")) offerCopy();
  }, true);

  window.Module = {
    canvas: canvas,
    arguments: args,
    preRun: [function () {
      const fs = Module.FS;
      for (const [url, local] of fetched) {
        Module.addRunDependency("fetch " + url);
        fs.mkdirTree(local.substring(0, local.lastIndexOf("/")));
        fetch(url).then(function (response) {
          if (!response.ok) throw new Error(url + ": " + response.status);
          return response.arrayBuffer();
        }).then(function (bytes) {
          fs.writeFile(local, new Uint8Array(bytes));
        }).catch(function (error) {
          console.error("kervana: " + error.message);
        }).finally(function () {
          Module.removeRunDependency("fetch " + url);
        });
      }
      if (!checking && benchFrames === null) {
        // The maps the player saves stay in the browser's storage, as a desktop's map folder.
        fs.mkdirTree(MAP_FOLDER);
        fs.mount(Module.IDBFS, {}, MAP_FOLDER);
        Module.addRunDependency("maps");
        fs.syncfs(true, function () { Module.removeRunDependency("maps"); });
      }
    }],
    onRuntimeInitialized: function () {
      loading.hidden = true;
      gameRunning = !checking && benchFrames === null;
      if (!checking && benchFrames === null) {
        canvas.focus();
        screenshotTimer = setInterval(function () { offerScreenshots(Module.FS); }, 500);
        // The game saves its map while it plays; a tab may be closed at any moment.
        mapTimer = setInterval(function () { keepMaps(Module.FS); }, 5000);
        document.addEventListener("visibilitychange", function () {
          if (document.visibilityState === "hidden") keepMaps(Module.FS);
        });
      }
    },
    setStatus: function (text) {
      const progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || "");
      if (progress) showProgress(Number(progress[1]) / Number(progress[2]), "Načítání dat…");
    },
    locateFile: function (path) {
      return path === program + ".data" ? "kervana.data" : path;
    },
    print: function (text) {
      if (benchFrames !== null && text.startsWith("{")) showBench(text);
      console.log(text);
    },
    printErr: function (text) { console.warn(text); },
    onExit: finish,
    onAbort: function () { finish("abort"); },
  };

  // Keys go to the game while the page has the focus; a click on the canvas gives it back.
  canvas.addEventListener("mousedown", function () { canvas.focus(); });

  const game = document.createElement("script");
  game.src = program + ".js";
  document.body.appendChild(game);
})();
