# zsh -f packaging/zsh_complete.zsh 'LINE': the words zsh's completion offers at the end of LINE,
# typed into an interactive zsh on a pseudo-terminal, one a line (with repeats). compinit keeps
# no dump file, which another zsh could be writing meanwhile.
zmodload zsh/zpty
zpty z zsh -f -i
zpty -w z "PS1=''; autoload -Uz compinit; compinit -D -u"
zpty -w z 'compadd() { local -a m; builtin compadd -O m "$@"; print -rl -- "<<"${^m}">>" }'
zpty -w z 'zle -C all complete-word _main_complete; bindkey "^I" all; print RE""ADY'
zpty -r z line '*READY*'
zpty -n -w z "$1"$'\t'
zpty -w z $'\C-u'"print E''ND"
# END may follow what clears a completion listing away.
while zpty -r z line && [[ $line != *END$'\r'* ]]; do
  # The first word arrives on the line that echoes LINE.
  [[ $line != *'<<'*'>>'* ]] || print -r -- ${${line##*<<}%>>*}
done
