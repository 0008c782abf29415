#!/usr/bin/env bash
# Remakes the pictures of docs/gallery with the preview tool of the native build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh preview
bash scripts/build-target.sh native pelorix3-preview
tool=build/native/bin/pelorix3-preview
out=docs/gallery
mkdir -p "$out"

# Every picture this run writes is newer than the stamp (dated a second back, for file
# systems that keep whole seconds): the run ends by counting them, and by naming any
# picture of the folder that nothing here makes any more.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stamp="$scratch/stamp"
touch -d '1 second ago' "$stamp"

"$tool" --samples 3 -o "$out/default.png" --panel "$out/panel.png" \
    --sheet "$out/sheet-density-roughness.png" --switch-sheet "$out/sheet-switches.png"
"$tool" --samples 3 -o "$out/density-0.3.png" --density 0.3
"$tool" --samples 3 -o "$out/transparency-1.png" --transparency 1
"$tool" --samples 3 -o "$out/specular-color-gold.png" --specular-color 1,0.75,0.2
"$tool" --samples 3 -o "$out/dont-overlap-shadows-off.png" --dont-overlap-shadows off
"$tool" --samples 3 -o "$out/density-by-luminosity-on.png" --density-by-luminosity on \
    --luminous 0.5

# The camera turned around the cloth: the strip of a twelve-view turntable (the views
# themselves are not kept), and two looks side by side.
views="$scratch/views"
mkdir "$views"
"$tool" --samples 3 --width 320 --height 240 --turntable 12 -o "$views/turn-%02d.png"
cp "$views/turn-strip.png" "$out/turntable-strip.png"
"$tool" --samples 3 --width 320 --height 240 --compare crushed-red-velvet,gold-sheen-satin \
    -o "$out/compare-two-looks.png"

# Burnout velvet: the look's luminosity map sets where the pile is (density by luminosity).
"$tool" --samples 3 -o "$out/burnout-velvet.png" --preset burnout-velvet

# One picture of each named look, smaller, for the table in docs/looks.md.
for preset in $("$tool" --list-presets | cut -d' ' -f1); do
    "$tool" --samples 3 --width 320 --height 240 --preset "$preset" -o "$out/preset-$preset.png"
done

# A model read from an object file: the sample object, a cushion on a star-shaped plinth in
# two layers and two surfaces, made by docs/make-object-sample.py; the look goes to the
# cushion's surface, which runs the module, and the plinth is a plain material.
"$tool" --samples 3 --preset crushed-red-velvet --mesh docs/models/cushion.lwo \
    -o "$out/object-file.png"

made=$(find "$out" -maxdepth 1 -name '*.png' -newer "$stamp" | wc -l)
echo "make-gallery: wrote $made pictures in $out" >&2
find "$out" -maxdepth 1 -name '*.png' ! -newer "$stamp" |
    sed 's/^/make-gallery: not made by this script: /' >&2
