// The button that folds the panel away on a narrow screen and opens it again.
// While the panel is folded the button is all there is of it, so it also
// says which version of the map is shown and how many warnings the map has.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class PanelToggle {
        // `button` holds the elements marked data-text="label", "version"
        // and "warnings".
        constructor(button) {
            this.button = button;
            this.texts = { label: "Panel" };
            this.fields = new atlas.TextFields(button);
            button.addEventListener("click", () => {
                const open = document.body.classList.toggle("panel-open");
                button.setAttribute("aria-expanded", String(open));
                this.#write({ label: open ? "Close" : "Panel" });
            });
        }

        // `short`: the shown version's short commit or "worktree".
        showVersion(short) {
            this.#write({ version: short });
        }

        showWarnings(count) {
            this.#write({ warnings: count ? atlas.countText.counted(count, "warning", "warnings") : "" });
        }

        #write(texts) {
            Object.assign(this.texts, texts);
            this.fields.write(this.texts);
        }
    }

    atlas.PanelToggle = PanelToggle;
})();
