#!/usr/bin/python3
"""Builds "Corvane User Manual.pdf" (and its HTML version) from docs/manual/.

1. Replays every figure script docs/manual/figures/NAME.cvs on NAME.svg with the
   command-line host; each script's `snapshot`s are the figures and its
   `expect`s fail the build when a tool no longer behaves as the manual says.
2. Turns the chapters (docs/manual/NN-*.md, in file-name order) into one HTML
   page with python3-markdown, each chapter starting a new page.
3. Prints the HTML to PDF with WeasyPrint.

The tool icons and cursors shown in the chapters (art/NAME.png) are the images
the build draws for the module, copied from --art.

Usage: build-manual.py --host HOST --plugin MODULE --art DIR --work DIR --pdf FILE [--html-dir DIR]
"""
import argparse
import glob
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile

import markdown

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MANUAL = os.path.join(ROOT, "docs", "manual")
TITLE = "Corvane User Manual"


def replay_figures(host, plugin, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    scripts = sorted(glob.glob(os.path.join(MANUAL, "figures", "*.cvs")))
    for script in scripts:
        document = script[:-len(".cvs")] + ".svg"
        # A preference file of its own per script: figures never depend on,
        # nor change, the preferences of the person building.
        with tempfile.TemporaryDirectory() as prefs_dir:
            run = subprocess.run([host, "--plugin", plugin, "--prefs", os.path.join(prefs_dir, "preferences.ini"),
                                  "--script", script, document], cwd=out_dir, capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"build-manual: figure script {os.path.relpath(script, ROOT)} failed "
                     f"(status {run.returncode}):\n{run.stderr}")
    return scripts


def copy_art(art_dir, out_dir):
    """Copies the module's images that the chapters name (art/NAME.png)."""
    os.makedirs(out_dir, exist_ok=True)
    names = set()
    for path in chapters():
        with open(path, encoding="utf-8") as f:
            names.update(re.findall(r"\(art/([A-Za-z0-9_.-]+\.png)\)", f.read()))
    for name in sorted(names):
        source = os.path.join(art_dir, name)
        if not os.path.exists(source):
            sys.exit(f"build-manual: the chapters show art/{name}, which the build did not draw")
        shutil.copy(source, out_dir)
    return sorted(names)


def chapters():
    files = sorted(glob.glob(os.path.join(MANUAL, "[0-9][0-9]-*.md")))
    if not files:
        sys.exit("build-manual: no chapters in docs/manual")
    return files


def render_html(figure_prefix):
    parts = []
    toc = []
    for n, path in enumerate(chapters()):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        md = markdown.Markdown(extensions=["tables", "attr_list", "toc", "sane_lists"])
        body = md.convert(text)
        body = body.replace('src="figures/', f'src="{figure_prefix}')
        # An image followed by an emphasised line in one paragraph is a figure
        # and its caption.
        body = re.sub(r'<p>(<img [^>]*>)\s*<em>(.*?)</em></p>',
                      r'<figure>\1<figcaption>\2</figcaption></figure>', body, flags=re.S)
        first = re.search(r"<h1[^>]*>(.*?)</h1>", body)
        anchor = f"chapter-{n}"
        if first:
            toc.append((anchor, first.group(1)))
        parts.append(f'<section class="chapter" id="{anchor}">\n{body}\n</section>')
    with open(os.path.join(MANUAL, "manual.css"), encoding="utf-8") as f:
        css = f.read()
    toc_items = "\n".join(f'<li><a href="#{a}">{t}</a></li>' for a, t in toc)
    return f"""<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>{html.escape(TITLE)}</title>
<style>
{css}
</style></head><body>
<section class="cover">
<h1 class="title">{html.escape(TITLE)}</h1>
<p class="subtitle">Fourteen construction tools for circles, arcs, lines and path editing</p>
<nav><h2>Contents</h2><ol>
{toc_items}
</ol></nav>
</section>
{"".join(parts)}
</body></html>
"""


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--host", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--art", required=True, help="the folder of the module's generated images")
    ap.add_argument("--work", required=True, help="folder for the figures and the intermediate HTML")
    ap.add_argument("--pdf", required=True)
    ap.add_argument("--html-dir", help="also write index.html and its figures here (the copy under docs/)")
    args = ap.parse_args()
    args.host, args.plugin = os.path.abspath(args.host), os.path.abspath(args.plugin)

    figures = os.path.join(args.work, "figures")
    replay_figures(args.host, args.plugin, figures)
    art = os.path.join(args.work, "art")
    used_art = copy_art(args.art, art)

    page = render_html("figures/")
    index = os.path.join(args.work, "index.html")
    with open(index, "w", encoding="utf-8") as f:
        f.write(page)
    pdf_tmp = args.pdf + ".part"
    from weasyprint import HTML
    HTML(filename=index).write_pdf(pdf_tmp)
    os.replace(pdf_tmp, args.pdf)

    if args.html_dir:
        out_fig = os.path.join(args.html_dir, "figures")
        shutil.rmtree(out_fig, ignore_errors=True)
        os.makedirs(out_fig)
        for png in sorted(glob.glob(os.path.join(figures, "*.png"))):
            shutil.copy(png, out_fig)
        out_art = os.path.join(args.html_dir, "art")
        shutil.rmtree(out_art, ignore_errors=True)
        os.makedirs(out_art)
        for name in used_art:
            shutil.copy(os.path.join(art, name), out_art)
        shutil.copy(index, os.path.join(args.html_dir, "index.html"))


if __name__ == "__main__":
    main()
