// The panel's versions: a time slider from the oldest version to the newest
// and the list of versions, newest first, each with its date, author, subject
// and cells changed, a change of tile set and a damaged file's problems
// flagged; and the toggle that outlines what the shown version changed. The
// slider and the list choose a version; the page calls `select` once it is
// shown, which brings both to it.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const { counted } = atlas.countText;

    const span = (className, text) => {
        const element = document.createElement("span");
        element.className = className;
        element.textContent = text;
        return element;
    };

    // "Ann Maker · 371 cells changed", as velmora-map log counts them: from
    // the version's first parent (a version without one from a map of code 0).
    const metaText = (version) =>
        `${atlas.versionTexts.author(version)} · ` +
        counted(version.cellsChanged, "cell changed", "cells changed");

    // What the slider says to a screen reader.
    const describe = (version) =>
        `${version.short}, ${atlas.versionTexts.date(version)}, ${version.subject}, ${metaText(version)}`;

    class HistoryPanel {
        // `elements`: { section, slider, position, ends, outline, list,
        // note }; `onChoose(index, since)` is called with the version the
        // user chose and the time of the choice; `onOutline(on)` with the
        // toggle's state.
        constructor(elements, versions, onChoose, onOutline) {
            Object.assign(this, { elements, versions });
            const { section, slider, ends, outline, list, note } = elements;
            const { list: all, newest } = versions;
            slider.max = String(newest);
            slider.disabled = newest === 0;
            // A tick per version while they are few enough to tell apart.
            if (newest > 0 && newest < 60) {
                const ticks = document.createElement("datalist");
                ticks.id = `${slider.id}-ticks`;
                ticks.append(...all.map((_, index) => new Option("", String(index))));
                slider.after(ticks);
                slider.setAttribute("list", ticks.id);
            }
            // The arrow keys move a focused range input by one step: one version.
            slider.addEventListener("input", (event) => onChoose(Number(slider.value), event.timeStamp));
            const [first, last] = ends.children;
            first.textContent = atlas.versionTexts.date(all[0]).slice(0, 10);
            last.textContent = atlas.versionTexts.date(all[newest]).slice(0, 10);
            outline.addEventListener("change", () => onOutline(outline.checked));

            this.entries = all.map((version, index) => this.#entry(version, index, onChoose));
            list.append(...this.entries.map(({ item }) => item).reverse());
            if (versions.leftOut > 0) {
                note.textContent =
                    `${counted(versions.leftOut, "older version is", "older versions are")} left out.`;
                note.hidden = false;
            }
            section.hidden = false;
            document.body.classList.add("with-history");
        }

        // Shows version `index` as the chosen one in the slider and the list.
        select(index) {
            const { slider, position, list } = this.elements;
            const version = this.versions.list[index];
            slider.value = String(index);
            slider.setAttribute("aria-valuetext", describe(version));
            position.textContent = `${version.short} · ${index + 1} of ${this.versions.list.length}`;
            for (const [i, entry] of this.entries.entries()) {
                entry.button.toggleAttribute("aria-current", i === index);
            }
            // An entry out of sight is brought to the middle of the list, with
            // its neighbours around it; only the list scrolls, never the panel.
            const item = this.entries[index].item;
            if (item.offsetTop < list.scrollTop ||
                item.offsetTop + item.offsetHeight > list.scrollTop + list.clientHeight) {
                list.scrollTop = item.offsetTop - (list.clientHeight - item.offsetHeight) / 2;
            }
        }

        #entry(version, index, onChoose) {
            const button = document.createElement("button");
            button.type = "button";
            button.className = "version";
            button.dataset.version = String(index);
            const head = document.createElement("span");
            head.className = "version-head";
            head.append(span("version-commit", version.short),
                span("version-date", atlas.versionTexts.date(version)));
            button.append(head, span("version-subject", version.subject),
                span("version-meta", metaText(version)));
            if (version.merge) {
                const parents = version.parents.map((parent) => this.versions.list[parent].short);
                button.classList.add("version-merge");
                button.append(span("version-flag version-merged",
                    parents.length > 1 ? `Merge of ${parents.join(" and ")}` : "Merge"));
            }
            if (version.historyStart) {
                button.append(span("version-flag version-start", version.historyStart));
            }
            if (version.tileSetChange !== null) {
                button.append(span("version-flag version-tile-set", `Tile set ${version.tileSetChange}`));
            }
            for (const problem of version.problems) {
                button.append(span("version-flag version-problem", problem));
            }
            button.addEventListener("click", (event) => onChoose(index, event.timeStamp));
            const item = document.createElement("li");
            item.append(button);
            return { item, button };
        }
    }

    atlas.HistoryPanel = HistoryPanel;
})();
