#!/usr/bin/env bash
# Writes the seed corpora under tests/fuzz/corpus/. Run it again after
# changing it; the fuzz runs themselves never write there.
set -euo pipefail
cd "$(dirname "$0")/corpus"

ja='ニュース速報：東京は晴れ、気温は２５度です。'
mixed="Zel ticker <b>${ja}</b> ①㈱髙"
enc() { printf '%s' "$2" | iconv -f UTF-8 -t "$1"; }

d=textdecoder
mkdir -p $d
enc UTF-8 "$mixed" >$d/utf8.txt
enc CP932 "$mixed" >$d/shift_jis.txt
enc EUC-JP "Zel ${ja}" >$d/euc-jp.txt
enc ISO-2022-JP "Zel ${ja}" >$d/iso-2022-jp.txt
{ printf '\xEF\xBB\xBF'; enc UTF-8 "$ja"; } >$d/utf8-bom.txt
{ printf '\xFF\xFE'; enc UTF-16LE "$mixed"; } >$d/utf16le-bom.txt
{ printf '\xFE\xFF'; enc UTF-16BE "$mixed"; } >$d/utf16be-bom.txt
enc UTF-16LE "$mixed" >$d/utf16le.txt
{ printf '\xFF\xFE\x00\x00'; enc UTF-32LE "$ja"; } >$d/utf32le-bom.txt
enc ISO-8859-1 'Caf'$'\xC3\xA9'' cr'$'\xC3\xA8''me, na'$'\xC3\xAF''ve' >$d/latin1.txt
enc GB18030 '新闻：北京晴天。' >$d/gb18030.txt
printf '\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR\x00\x00\x00\x10\x00\x00\x00\x10\x08\x06' >$d/binary.png

d=filehelper
mkdir -p $d
# The first byte sets the size limit: '0' (and 0xFF) one byte under the size,
# '1' the size, '2' (and 0xFE, 0xEF, 0x89) one byte over it.
{ printf 1; enc UTF-8 "$mixed"; } >$d/utf8-at-limit.txt
{ printf 0; enc UTF-8 "$mixed"; } >$d/utf8-over-limit.txt
{ printf 2; enc CP932 "$mixed"; } >$d/shift_jis.txt
{ printf 1; for _ in {1..40}; do enc UTF-8 "$mixed"; done; } >$d/utf8-long.txt
cp textdecoder/utf16be-bom.txt textdecoder/binary.png $d/

d=pagedecoder
mkdir -p $d
html() { printf '<html><head>%s<title>Zel</title></head><body><p>%s</p></body></html>\n' "$1" "$2"; }
{ printf 'text/html; charset=Shift_JIS\n'; html '' "$ja" | iconv -t CP932; } >$d/header-sjis.html
{ printf 'text/html\n'; html '<meta charset="EUC-JP">' "$ja" | iconv -t EUC-JP; } >$d/meta-euc-jp.html
{ printf 'text/html\n'
  html '<meta http-equiv="Content-Type" content="text/html; charset=iso-2022-jp">' "$ja" |
      iconv -t ISO-2022-JP; } >$d/http-equiv-iso-2022-jp.html
{ printf 'text/html; charset="utf-8"\n'; printf '\xEF\xBB\xBF'; html '' "$ja"; } >$d/header-utf8-bom.html
{ printf 'application/xhtml+xml\n'; printf '<?xml version="1.0" encoding="UTF-16"?>'; html '' "$ja"; } \
    >$d/xml-utf16-declared.xhtml
{ printf 'text/html; charset=UTF-16LE\n'; printf '\xFF\xFE'; html '' "$ja" | iconv -t UTF-16LE; } \
    >$d/header-utf16le.html
{ printf 'text/plain; charset=x-no-such-charset\n'; enc UTF-8 "$mixed"; } >$d/bogus-charset.txt
{ printf 'text/html\n'; html '<!-- <meta charset="koi8-r"> --><meta charset=windows-1252>' 'na'$'\xEF''ve'; } \
    >$d/meta-after-comment.html
{ printf 'image/png\n'; cat textdecoder/binary.png; } >$d/image.png

d=flatten
mkdir -p $d
enc UTF-16LE $'<p>a<b>c</b>\r\nline two\nlone LF, lone \rCR</p> a>b <<x>y> x<y' >$d/tags-and-breaks.txt
enc UTF-16LE $'one\rtwo\rthree <br>\r' >$d/cr-only.txt
# Long enough for three pieces; a pair of surrogates straddles the first cut.
{ enc UTF-16LE "$(printf 'a%.0s' {1..511})"; enc UTF-16LE '😀<i>'"$(printf "${ja}%.0s" {1..24})"'</i>'; } \
    >$d/pieces-and-surrogates.txt

d=webaddress
mkdir -p $d
i=0
for address in 'example.com/news' 'https://example.com/' 'HTTP://Example.COM:8080/a?b=c#d' \
    'ftp://example.com/' 'file:///etc/passwd' 'javascript:alert(1)' 'http://[::1]:8080/' \
    'localhost:8080' 'mailto:a@example.com' '  http://例え.jp/ニュース  ' 'data:text/plain,hi' \
    'http://user:pw@host/' '//example.com' 'http:/example.com' '/etc/hosts' 'C:\news.txt'; do
    printf '%s' "$address" >$d/address-$((i += 1))
done
