// How the page words a version: its date as "2026-11-20 16:05", by the
// author's clock as git gives it, and its author, or that it is not committed.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    atlas.versionTexts = {
        date: (version) => `${version.date.slice(0, 10)} ${version.date.slice(11, 16)}`,
        author: (version) => version.author || "not committed",
    };
})();
